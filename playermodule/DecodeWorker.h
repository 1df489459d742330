// The decoding thread of one playback run: from a start position to the end of the file, it
// reads packets, puts the sound into the SampleQueue (the queue's capacity paces it) and the
// video frames into the PictureTrack, then waits until the device has played everything and
// notifies the end. Without sound it keeps time with silence, so the device's clock still runs.
//
// The thread owns the MediaFile's demuxer and decoders from construction to destruction; the
// destructor stops and joins it. A new position means a new worker.
#pragma once

#include <stop_token>
#include <thread>
#include <vector>

#include "playermodule/AudioConverter.h"
#include "playermodule/FFmpegOwners.h"
#include "playermodule/MediaFile.h"
#include "playermodule/Notifications.h"
#include "playermodule/PictureTrack.h"
#include "playermodule/PlaybackOutcome.h"
#include "playermodule/SampleQueue.h"

namespace varnell::player {

class DecodeWorker {
 public:
  // `media` must be positioned at or before startSeconds, and `queue` restarted at it.
  DecodeWorker(MediaFile& media, SampleQueue& queue, PictureTrack& pictures,
               const Notifications& notifications, PlaybackOutcome& outcome, double startSeconds);
  DecodeWorker(const DecodeWorker&) = delete;
  DecodeWorker& operator=(const DecodeWorker&) = delete;

 private:
  void run(std::stop_token stop);
  bool decodeAudio(const AVPacket* packet, std::stop_token& stop);
  bool placeAndPush(const AVFrame& frame, std::stop_token& stop);
  bool pushConverted(std::stop_token& stop);
  void decodeVideo(const AVPacket* packet);
  bool keepTimeWithSilence(double untilSeconds, std::stop_token& stop);
  bool waitUntilHeard(std::stop_token& stop);
  void reportWholeSeconds();
  double pushedEndSeconds() const;

  MediaFile& media_;
  SampleQueue& queue_;
  PictureTrack& pictures_;
  const Notifications& notifications_;
  PlaybackOutcome& outcome_;
  const double startSeconds_;
  AudioConverter converter_;
  FramePtr frame_;
  std::vector<float> converted_;
  long long pushedFrames_ = 0;  // device frames queued since the start
  bool placed_ = false;         // the first sound at or after the start has been queued
  double latestVideoSeconds_;
  int reportedSecond_;
  std::jthread thread_;  // last: starts once everything above is ready, joins before it goes
};

}  // namespace varnell::player
