// Everything that lives while one file is open: the file, the device, the queue between them,
// the video frames and the decoding thread. Used from the callers' thread, one call at a time.
#pragma once

#include <atomic>
#include <memory>
#include <optional>
#include <string>

#include "media/VideoScaler.h"
#include "playermodule/AudioOutput.h"
#include "playermodule/DecodeWorker.h"
#include "playermodule/MediaFile.h"
#include "playermodule/Notifications.h"
#include "playermodule/PictureTrack.h"
#include "playermodule/PlaybackOutcome.h"
#include "playermodule/PulledAudioDevice.h"
#include "playermodule/SampleQueue.h"

namespace varnell::player {

class PlaybackSession {
 public:
  enum class Output { SoundCard, Pulled };

  // Opened paused at the start, already decoding ahead. Null when the file cannot be played.
  static std::unique_ptr<PlaybackSession> Open(const std::string& utf8Path,
                                               const Notifications& notifications,
                                               const std::atomic<int>& volume, Output output);
  PlaybackSession(const PlaybackSession&) = delete;
  PlaybackSession& operator=(const PlaybackSession&) = delete;
  ~PlaybackSession();

  void play() { device_->play(); }
  void pause() { device_->pause(); }
  // Decodes anew from `seconds`; the device keeps playing or stays paused. False when the file
  // cannot be positioned there: playback then goes on from where it was.
  bool restartAt(double seconds);
  bool reachedEnd() const { return outcome_.reachedEnd.load(); }

  double heardSeconds() const { return queue_->heardSeconds(); }
  int deviceRate() const { return device_->frameRate(); }
  double durationSeconds() const;

  bool hasAudio() const { return media_->hasAudio(); }
  bool hasPicture() const { return media_->hasPicture(); }
  bool hasVideo() const { return media_->hasVideo(); }
  int pictureWidth() const { return media_->pictureWidth(); }
  int pictureHeight() const { return media_->pictureHeight(); }
  // The pulled device the session plays on; null on the sound card.
  PulledAudioDevice* pulledDevice() const { return pulledDevice_; }
  // The cover, or the video frame due at the position heard; false while none is decoded.
  bool copyPicture(unsigned char* bitmap, int width, int height);

 private:
  PlaybackSession(const Notifications& notifications) : notifications_(notifications) {}
  void startWorker(double seconds);
  // Writes `picture` into the caller's bitmap: bottom-up rows of blue, green, red bytes, no
  // padding, scaled to width x height.
  bool convertPicture(const AVFrame& picture, unsigned char* bitmap, int width, int height);

  const Notifications& notifications_;
  std::unique_ptr<MediaFile> media_;
  std::unique_ptr<SampleQueue> queue_;
  PictureTrack pictures_;
  PlaybackOutcome outcome_;
  std::optional<VideoScaler> scaler_;  // to the size last asked for
  // The device plays from queue_ and the worker uses everything above, so they go first.
  std::unique_ptr<AudioOutput> device_;
  PulledAudioDevice* pulledDevice_ = nullptr;  // device_ itself when it is the pulled one
  std::unique_ptr<DecodeWorker> worker_;
};

}  // namespace varnell::player
