/* For tests of the player and of the windows that use it: a sound device without a clock. After
 * PlayerModuleTesting_UsePulledDevice(1), each file opened plays on a device that takes sound
 * only when PlayerModuleTesting_Pull is called, so a test moves playback exactly as far as it
 * asks and then looks at what was played, the position and the notifications. The program
 * itself never calls these; they change nothing for a file already open.
 *
 * Returns follow PlayerModule.h: 0 on success, -1 when the call cannot be honoured. */
#ifndef VARNELL_PLAYERMODULE_PLAYERMODULETESTING_H
#define VARNELL_PLAYERMODULE_PLAYERMODULETESTING_H

#include "playermodule/PlayerModule.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Non-zero: files opened from now on play on the pulled device; zero: on the sound card. */
PLAYERMODULE_API int PlayerModuleTesting_UsePulledDevice(int pulled);
/* Plays frameCount frames as a sound card would, waiting for the decoding thread to have decoded
 * them (silence follows the end of the sound). When `stereo` is not null it receives the
 * frameCount x 2 float samples played, after the volume. Returns the frames played: frameCount
 * while playing, 0 while paused or stopped; -1 when no file is open on the pulled device. */
PLAYERMODULE_API int PlayerModuleTesting_Pull(float* stereo, int frameCount);
/* The frame rate of the open file's device. */
PLAYERMODULE_API int PlayerModuleTesting_GetDeviceRate(int* rate);

#ifdef __cplusplus
}
#endif

#endif
