#include "playermodule/AudioDevice.h"

#include <algorithm>

namespace varnell::player {
namespace {

// About 23 ms at 44.1 kHz: short enough that the position heard lags the device by little.
constexpr Uint16 kDeviceBufferFrames = 1024;

}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::Open(int preferredRate, const std::atomic<int>& volume) {
  std::unique_ptr<AudioDevice> device(new AudioDevice(volume));
  // The host program owns signal handling.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    return nullptr;
  }
  device->subsystemStarted_ = true;

  SDL_AudioSpec wanted{};
  wanted.freq = preferredRate > 0 ? preferredRate : 44100;
  wanted.format = AUDIO_F32SYS;
  wanted.channels = kDeviceChannels;
  wanted.samples = kDeviceBufferFrames;
  wanted.callback = &AudioDevice::FillCallback;
  wanted.userdata = device.get();
  SDL_AudioSpec obtained{};
  // Format and channel count are fixed, so SDL converts if the hardware differs; the rate is the
  // device's own, and the player resamples to it.
  device->device_ =
      SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained,
                          SDL_AUDIO_ALLOW_FREQUENCY_CHANGE | SDL_AUDIO_ALLOW_SAMPLES_CHANGE);
  if (device->device_ == 0 || obtained.freq <= 0) {
    return nullptr;
  }
  device->frameRate_ = obtained.freq;
  return device;
}

AudioDevice::~AudioDevice() {
  if (device_ != 0) {
    SDL_CloseAudioDevice(device_);
  }
  if (subsystemStarted_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
}

void AudioDevice::attach(SampleQueue* queue) {
  SDL_LockAudioDevice(device_);
  queue_ = queue;
  SDL_UnlockAudioDevice(device_);
}

void AudioDevice::play() { SDL_PauseAudioDevice(device_, 0); }

void AudioDevice::pause() { SDL_PauseAudioDevice(device_, 1); }

void AudioDevice::FillCallback(void* self, Uint8* stream, int length) {
  static_cast<AudioDevice*>(self)->fill(reinterpret_cast<float*>(stream),
                                        length / static_cast<int>(sizeof(float) * kDeviceChannels));
}

void AudioDevice::fill(float* out, int frameCount) {
  const int taken = queue_ != nullptr ? queue_->pop(out, frameCount) : 0;
  std::fill(out + static_cast<std::ptrdiff_t>(taken) * kDeviceChannels,
            out + static_cast<std::ptrdiff_t>(frameCount) * kDeviceChannels, 0.0f);
  ApplyVolume(out, taken, volume_.load(std::memory_order_relaxed));
}

}  // namespace varnell::player
