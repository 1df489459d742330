// The exported C functions. No exception may cross into a C caller: any becomes a failure.
#include "playermodule/PlayerModule.h"
#include "playermodule/PlayerModuleTesting.h"

#include "playermodule/Player.h"

namespace {

using varnell::player::Player;

template <typename Call>
int Result(Call call) {
  try {
    return call(Player::Instance()) ? 0 : -1;
  } catch (...) {
    return -1;
  }
}

}  // namespace

extern "C" {

int PlayerModule_Initialize(PlayerModuleEndFunc onEnd, PlayerModuleSecondFunc second,
                            const wchar_t*) {
  return Result([&](Player& player) {
    player.initialize(onEnd, second);
    return true;
  });
}

int PlayerModule_SetFileName(const wchar_t* path) {
  return Result([&](Player& player) { return player.setFileName(path); });
}

int PlayerModule_Open(void) {
  return Result([](Player& player) { return player.open(); });
}

int PlayerModule_GetMideaType(int* hasPicture, int* second) {
  return Result([&](Player& player) { return player.mediaType(hasPicture, second); });
}

int PlayerModule_GetFrameSize(int* width, int* height) {
  return Result([&](Player& player) { return player.frameSize(width, height); });
}

int PlayerModule_GetFrame(unsigned char* buffer, int width, int height) {
  return Result([&](Player& player) { return player.frame(buffer, width, height); });
}

int PlayerModule_Start(void) {
  return Result([](Player& player) { return player.start(); });
}

int PlayerModule_Pause(void) {
  return Result([](Player& player) { return player.pause(); });
}

int PlayerModule_Stop(void) {
  return Result([](Player& player) { return player.stop(); });
}

int PlayerModule_Close(void) {
  return Result([](Player& player) { return player.close(); });
}

int PlayerModule_GetPos(float* fraction) {
  return Result([&](Player& player) { return player.position(fraction); });
}

int PlayerModule_GetDuration(double* seconds) {
  return Result([&](Player& player) { return player.duration(seconds); });
}

int PlayerModule_SetPos(float fraction) {
  return Result([&](Player& player) { return player.seek(fraction); });
}

int PlayerModule_SetVolume(int volume) {
  return Result([&](Player& player) { return player.setVolume(volume); });
}

int PlayerModule_GetVolume(int* volume) {
  return Result([&](Player& player) { return player.volume(volume); });
}

int PlayerModuleTesting_UsePulledDevice(int pulled) {
  return Result([&](Player& player) {
    player.usePulledDevice(pulled != 0);
    return true;
  });
}

int PlayerModuleTesting_Pull(float* stereo, int frameCount) {
  try {
    return Player::Instance().pull(stereo, frameCount);
  } catch (...) {
    return -1;
  }
}

int PlayerModuleTesting_GetDeviceRate(int* rate) {
  return Result([&](Player& player) { return player.deviceRate(rate); });
}

}  // extern "C"
