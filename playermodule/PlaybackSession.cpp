#include "playermodule/PlaybackSession.h"

#include <algorithm>
#include <cstddef>

#include "playermodule/AudioDevice.h"

namespace varnell::player {
namespace {

// A quarter of a second of sound decoded ahead: enough to ride out a slow read, little enough
// that a restart discards little work.
constexpr int kQueueDivisor = 4;

}  // namespace

std::unique_ptr<PlaybackSession> PlaybackSession::Open(const std::string& utf8Path,
                                                       const Notifications& notifications,
                                                       const std::atomic<int>& volume,
                                                       Output output) {
  std::unique_ptr<PlaybackSession> session(new PlaybackSession(notifications));
  session->media_ = MediaFile::Open(utf8Path);
  if (!session->media_) {
    return nullptr;
  }
  const int preferredRate =
      session->media_->hasAudio() ? session->media_->audioDecoder()->sample_rate : 0;
  if (output == Output::Pulled) {
    auto pulled =
        std::make_unique<PulledAudioDevice>(preferredRate > 0 ? preferredRate : 44100, volume);
    session->pulledDevice_ = pulled.get();
    session->device_ = std::move(pulled);
  } else {
    session->device_ = AudioDevice::Open(preferredRate, volume);
  }
  if (!session->device_) {
    return nullptr;
  }
  const int rate = session->device_->frameRate();
  session->queue_ =
      std::make_unique<SampleQueue>(rate, kDeviceChannels, std::max(1, rate / kQueueDivisor));
  session->device_->attach(session->queue_.get());
  // A file just opened is at its start: no seek, which some inputs could not do.
  session->startWorker(0.0);
  return session;
}

PlaybackSession::~PlaybackSession() {
  worker_.reset();
  if (device_) {
    device_->attach(nullptr);
  }
}

bool PlaybackSession::restartAt(double seconds) {
  const double target = std::clamp(seconds, 0.0, std::max(0.0, durationSeconds()));
  worker_.reset();
  const double resumeAt = queue_->heardSeconds();
  const bool moved = media_->seek(target);
  startWorker(moved ? target : resumeAt);
  return moved;
}

void PlaybackSession::startWorker(double seconds) {
  queue_->restartAt(seconds);
  pictures_.clear();
  outcome_.reachedEnd.store(false);
  worker_ = std::make_unique<DecodeWorker>(*media_, *queue_, pictures_, notifications_, outcome_,
                                           seconds);
}

double PlaybackSession::durationSeconds() const {
  const double measured = outcome_.measuredEndSeconds.load();
  return measured > 0.0 ? measured : media_->durationSeconds();
}

bool PlaybackSession::copyPicture(unsigned char* bitmap, int width, int height) {
  if (const AVFrame* cover = media_->cover()) {
    return convertPicture(*cover, bitmap, width, height);
  }
  const FramePtr frame = pictures_.pictureAt(heardSeconds());
  return frame && convertPicture(*frame, bitmap, width, height);
}

bool PlaybackSession::convertPicture(const AVFrame& picture, unsigned char* bitmap, int width,
                                     int height) {
  if (width <= 0 || height <= 0) {
    return false;
  }
  if (!scaler_ || scaler_->width() != width || scaler_->height() != height) {
    scaler_.emplace(width, height, AV_PIX_FMT_BGR24);
  }
  const AVFrame* scaled = nullptr;
  if (scaler_->Scale(picture, &scaled) < 0) {
    return false;
  }
  const int rowBytes = width * 3;
  for (int row = 0; row < height; ++row) {
    std::copy_n(scaled->data[0] + static_cast<std::ptrdiff_t>(row) * scaled->linesize[0], rowBytes,
                bitmap + static_cast<std::ptrdiff_t>(height - 1 - row) * rowBytes);
  }
  return true;
}

}  // namespace varnell::player
