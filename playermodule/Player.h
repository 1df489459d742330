// The one player of the process behind the C functions: which file is named and open, and
// whether it is stopped, playing or paused. Every call takes the player's mutex, so callers on
// different threads see one call at a time; the decoding and audio threads never take it.
#pragma once

#include <atomic>
#include <memory>
#include <mutex>
#include <string>

#include "playermodule/AudioOutput.h"
#include "playermodule/Notifications.h"
#include "playermodule/PlaybackSession.h"

namespace varnell::player {

class Player {
 public:
  static Player& Instance();

  void initialize(PlayerModuleEndFunc onEnd, PlayerModuleSecondFunc second);
  bool setFileName(const wchar_t* path);
  bool open();
  bool mediaType(int* hasPicture, int* hasAudio);
  bool frameSize(int* width, int* height);
  bool frame(unsigned char* bitmap, int width, int height);
  bool start();
  bool pause();
  bool stop();
  bool close();
  bool position(float* fraction);
  bool duration(double* seconds);
  bool seek(float fraction);
  bool setVolume(int volume);
  bool volume(int* volume);

  // Test seam: files opened from now on play on a PulledAudioDevice instead of the sound card.
  void usePulledDevice(bool pulled);
  // Plays frames on the open file's pulled device; -1 when no file is open on one.
  int pull(float* out, int frameCount);
  bool deviceRate(int* rate);

 private:
  enum class State { Closed, Stopped, Playing, Paused };

  Player() = default;
  ~Player();
  // Playing but the end has been heard: the device only plays silence.
  bool playingToEnd() const;

  std::mutex mutex_;
  Notifications notifications_;
  std::atomic<int> volume_{kMaximumVolume};
  bool pulledDevice_ = false;
  std::string fileName_;
  State state_ = State::Closed;
  std::unique_ptr<PlaybackSession> session_;  // set exactly when state_ is not Closed
};

}  // namespace varnell::player
