#include "playermodule/Player.h"

#include <algorithm>
#include <optional>

#include "playermodule/WidePath.h"

namespace varnell::player {
namespace {

// Pictures larger than this are not a preview; the limit also keeps width x height x 3 in an int.
constexpr long long kMaximumPicturePixels = 8192LL * 8192LL;

}  // namespace

Player& Player::Instance() {
  static Player player;
  return player;
}

Player::~Player() {
  const std::lock_guard lock(mutex_);
  session_.reset();
}

void Player::initialize(PlayerModuleEndFunc onEnd, PlayerModuleSecondFunc second) {
  notifications_.replace(onEnd, second);
}

bool Player::setFileName(const wchar_t* path) {
  const std::lock_guard lock(mutex_);
  std::optional<std::string> utf8 = Utf8PathFromWide(path);
  fileName_ = utf8.value_or(std::string());
  return utf8.has_value();
}

bool Player::open() {
  const std::lock_guard lock(mutex_);
  // Opening follows Stop without Close in the previews: the old file goes first either way.
  session_.reset();
  state_ = State::Closed;
  if (fileName_.empty()) {
    return false;
  }
  session_ = PlaybackSession::Open(
      fileName_, notifications_, volume_,
      pulledDevice_ ? PlaybackSession::Output::Pulled : PlaybackSession::Output::SoundCard);
  if (!session_) {
    return false;
  }
  state_ = State::Stopped;
  return true;
}

bool Player::mediaType(int* hasPicture, int* hasAudio) {
  const std::lock_guard lock(mutex_);
  if (!session_ || hasPicture == nullptr) {
    return false;
  }
  *hasPicture = session_->hasVideo() ? 2 : session_->hasPicture() ? 1 : 0;
  if (hasAudio != nullptr) {
    *hasAudio = session_->hasAudio() ? 1 : 0;
  }
  return true;
}

bool Player::frameSize(int* width, int* height) {
  const std::lock_guard lock(mutex_);
  if (!session_ || width == nullptr || height == nullptr || !session_->hasPicture()) {
    return false;
  }
  *width = session_->pictureWidth();
  *height = session_->pictureHeight();
  return true;
}

bool Player::frame(unsigned char* bitmap, int width, int height) {
  const std::lock_guard lock(mutex_);
  if (!session_ || bitmap == nullptr || width <= 0 || height <= 0 ||
      static_cast<long long>(width) * height > kMaximumPicturePixels || !session_->hasPicture()) {
    return false;
  }
  return session_->copyPicture(bitmap, width, height);
}

bool Player::playingToEnd() const { return state_ == State::Playing && session_->reachedEnd(); }

bool Player::start() {
  const std::lock_guard lock(mutex_);
  if (!session_) {
    return false;
  }
  if (playingToEnd()) {
    session_->restartAt(0.0);
  }
  session_->play();
  state_ = State::Playing;
  return true;
}

bool Player::pause() {
  const std::lock_guard lock(mutex_);
  if (!session_ || state_ != State::Playing || playingToEnd()) {
    return false;
  }
  session_->pause();
  state_ = State::Paused;
  return true;
}

bool Player::stop() {
  const std::lock_guard lock(mutex_);
  if (!session_) {
    return false;
  }
  session_->pause();
  state_ = State::Stopped;
  return session_->restartAt(0.0);
}

bool Player::close() {
  const std::lock_guard lock(mutex_);
  if (!session_) {
    return false;
  }
  session_.reset();
  state_ = State::Closed;
  return true;
}

bool Player::position(float* fraction) {
  const std::lock_guard lock(mutex_);
  if (!session_ || fraction == nullptr) {
    return false;
  }
  const double duration = session_->durationSeconds();
  *fraction = duration > 0.0
                  ? static_cast<float>(std::clamp(session_->heardSeconds() / duration, 0.0, 1.0))
                  : 0.0f;
  return true;
}

bool Player::duration(double* seconds) {
  const std::lock_guard lock(mutex_);
  if (!session_ || seconds == nullptr) {
    return false;
  }
  *seconds = session_->durationSeconds();
  return true;
}

bool Player::seek(float fraction) {
  const std::lock_guard lock(mutex_);
  if (!session_ || !(fraction >= 0.0f && fraction <= 1.0f)) {
    return false;
  }
  return session_->restartAt(static_cast<double>(fraction) * session_->durationSeconds());
}

bool Player::setVolume(int volume) {
  if (volume < 0 || volume > kMaximumVolume) {
    return false;
  }
  volume_.store(volume);
  return true;
}

bool Player::volume(int* volume) {
  if (volume == nullptr) {
    return false;
  }
  *volume = volume_.load();
  return true;
}

void Player::usePulledDevice(bool pulled) {
  const std::lock_guard lock(mutex_);
  pulledDevice_ = pulled;
}

// The pull waits for the decoding thread with the mutex held: the decoding thread never takes
// it, and every other call waits until the frames asked for have played, as the test means.
int Player::pull(float* out, int frameCount) {
  const std::lock_guard lock(mutex_);
  if (!session_ || session_->pulledDevice() == nullptr || frameCount < 0) {
    return -1;
  }
  return session_->pulledDevice()->pull(out, frameCount);
}

bool Player::deviceRate(int* rate) {
  const std::lock_guard lock(mutex_);
  if (!session_ || rate == nullptr) {
    return false;
  }
  *rate = session_->deviceRate();
  return true;
}

}  // namespace varnell::player
