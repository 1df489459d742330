// The player under test plays on its pulled device: a test plays exactly as many frames as it
// pulls and gets the float stereo samples the device played. The sound card path is kept for
// the tests that say so, through SDL's disk driver, which writes what the device was given to a
// file in the test's own folder.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "playermodule/PlayerModule.h"
#include "playermodule/PlayerModuleTesting.h"

namespace varnell::testing {

// Wide text of a UTF-8 path, as the callers of the player pass it.
inline std::wstring WideFromUtf8(const std::string& utf8) {
  std::wstring wide;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    const int extra = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
    char32_t code = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra && i + k < utf8.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    }
    wide += static_cast<wchar_t>(code);
    i += 1 + extra;
  }
  return wide;
}

// The two channels of what a device played.
struct Capture {
  std::vector<float> left, right;
};

// Polls a condition that has no notification of its own (a picture decoded); the limit only
// keeps a broken player from hanging the run.
inline bool WaitFor(const std::function<bool()>& condition,
                    std::chrono::milliseconds limit = std::chrono::seconds(30)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

// The notifications of the player, recorded from its decoding thread; the test waits on them.
class NotificationLog {
 public:
  static NotificationLog& Instance() {
    static NotificationLog log;
    return log;
  }
  static void OnEnd() {
    Instance().record([](NotificationLog& log) { ++log.ends_; });
  }
  static void OnSecond(int second) {
    Instance().record([second](NotificationLog& log) { log.seconds_.push_back(second); });
  }
  // Registers the log with the player and forgets what it recorded before.
  void listen() {
    {
      const std::lock_guard lock(mutex_);
      ends_ = 0;
      seconds_.clear();
    }
    PlayerModule_Initialize(&OnEnd, &OnSecond, L"VarnellTest");
  }
  bool waitUntil(const std::function<bool(int ends, const std::vector<int>& seconds)>& condition) {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, std::chrono::seconds(30),
                             [&] { return condition(ends_, seconds_); });
  }
  bool waitForEnd() {
    return waitUntil([](int ends, const std::vector<int>&) { return ends > 0; });
  }
  int ends() {
    const std::lock_guard lock(mutex_);
    return ends_;
  }
  std::vector<int> seconds() {
    const std::lock_guard lock(mutex_);
    return seconds_;
  }

 private:
  template <typename Change>
  void record(Change change) {
    {
      const std::lock_guard lock(mutex_);
      change(*this);
    }
    changed_.notify_all();
  }

  std::mutex mutex_;
  std::condition_variable changed_;
  int ends_ = 0;
  std::vector<int> seconds_;
};

class PlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PlayerModuleTesting_UsePulledDevice(1);
    PlayerModule_Initialize(nullptr, nullptr, L"VarnellTest");
    PlayerModule_SetVolume(65535);
  }
  void TearDown() override {
    PlayerModule_Close();
    PlayerModule_Initialize(nullptr, nullptr, L"VarnellTest");
  }

  // Files opened from now on play on the sound card, through SDL's disk driver.
  void UseSoundCard() const {
    ::setenv("SDL_AUDIODRIVER", "disk", 1);
    ::setenv("SDL_DISKAUDIOFILE", capturePath().c_str(), 1);
    PlayerModuleTesting_UsePulledDevice(0);
  }

  static int DeviceRate() {
    int rate = 0;
    EXPECT_EQ(PlayerModuleTesting_GetDeviceRate(&rate), 0);
    return rate;
  }

  // Plays `seconds` of the open file on the pulled device; returns the frames played (0 while
  // paused or stopped).
  static int Play(double seconds, Capture* capture = nullptr) {
    const int frames = static_cast<int>(std::lround(seconds * DeviceRate()));
    std::vector<float> stereo(static_cast<std::size_t>(frames) * 2);
    const int played = PlayerModuleTesting_Pull(stereo.data(), frames);
    if (capture != nullptr) {
      for (int i = 0; i < played; ++i) {
        capture->left.push_back(stereo[2 * static_cast<std::size_t>(i)]);
        capture->right.push_back(stereo[2 * static_cast<std::size_t>(i) + 1]);
      }
    }
    return played;
  }

  std::string path(const std::string& name) const { return folder_ / name; }
  std::string capturePath() const { return folder_ / "device-output.raw"; }

  static bool Open(const std::string& file) {
    return PlayerModule_SetFileName(WideFromUtf8(file).c_str()) == 0 && PlayerModule_Open() == 0;
  }

  static double PositionSeconds() {
    float fraction = -1.0f;
    double duration = -1.0;
    EXPECT_EQ(PlayerModule_GetPos(&fraction), 0);
    EXPECT_EQ(PlayerModule_GetDuration(&duration), 0);
    return fraction * duration;
  }

  // The disk driver's output file is complete once the player has closed the device.
  Capture closeAndReadCapture() const {
    EXPECT_EQ(PlayerModule_Close(), 0);
    std::ifstream in(capturePath(), std::ios::binary);
    std::vector<float> interleaved;
    float frame[2];
    while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) {
      interleaved.push_back(frame[0]);
      interleaved.push_back(frame[1]);
    }
    Capture capture;
    for (std::size_t i = 0; i + 1 < interleaved.size(); i += 2) {
      capture.left.push_back(interleaved[i]);
      capture.right.push_back(interleaved[i + 1]);
    }
    return capture;
  }

  TempFolder folder_;
};

// Frames from the first to the last one that is not silent; 0 for silence.
inline std::size_t SoundingSpan(const std::vector<float>& samples) {
  std::size_t first = samples.size(), last = 0;
  for (std::size_t i = 0; i < samples.size(); ++i) {
    if (std::fabs(samples[i]) > 1e-3f) {
      first = std::min(first, i);
      last = i;
    }
  }
  return first <= last ? last - first + 1 : 0;
}

inline float Peak(const std::vector<float>& samples) {
  float peak = 0.0f;
  for (float sample : samples) peak = std::max(peak, std::fabs(sample));
  return peak;
}

// The sounding part only, so the silence around it does not weaken the frequency estimate.
inline std::vector<float> Sounding(const std::vector<float>& samples) {
  std::size_t first = 0;
  while (first < samples.size() && std::fabs(samples[first]) <= 1e-3f) ++first;
  const std::size_t span = SoundingSpan(samples);
  return std::vector<float>(samples.begin() + static_cast<std::ptrdiff_t>(first),
                            samples.begin() + static_cast<std::ptrdiff_t>(first + span));
}

}  // namespace varnell::testing
