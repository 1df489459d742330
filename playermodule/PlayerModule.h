/* The preview player: plays one file at a time through the sound device, and gives the picture
 * of the file (its cover, or the current video frame). One player exists per process.
 *
 * Every function returns 0 on success and -1 when it cannot do what was asked: no file is open,
 * the player is in the wrong state for it, or an argument is out of range or null. A failed call
 * changes nothing. Calls may come from any thread; they are serialised.
 *
 * The end function is called once each time playback reaches the end of the file, on the
 * player's decoding thread: it must return quickly and must not call back into the player
 * (post a message to the window instead). The second function is called on the same thread with
 * the whole number of seconds heard, each time that number changes during playback. */
#ifndef VARNELL_PLAYERMODULE_PLAYERMODULE_H
#define VARNELL_PLAYERMODULE_PLAYERMODULE_H

#include <wchar.h>

#if defined(_WIN32)
#if defined(PLAYERMODULE_BUILDING)
#define PLAYERMODULE_API __declspec(dllexport)
#else
#define PLAYERMODULE_API __declspec(dllimport)
#endif
#else
#define PLAYERMODULE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*PlayerModuleEndFunc)(void);
typedef void (*PlayerModuleSecondFunc)(int);

/* Registers the functions notified from now on (either may be null); the caller that
 * initialised last receives the notifications. The identifier is accepted as given. */
PLAYERMODULE_API int PlayerModule_Initialize(PlayerModuleEndFunc onEnd,
                                             PlayerModuleSecondFunc second, const wchar_t* id);
/* Names the file for the next Open: at most 260 characters. A rejected name leaves no name. */
PLAYERMODULE_API int PlayerModule_SetFileName(const wchar_t* path);
/* Opens the named file, closing any file already open, and stops at its start.
 * -1: cannot play; anything else: success. */
PLAYERMODULE_API int PlayerModule_Open(void);
/* *hasPicture: non-zero when the file has a picture, 1 for a still cover, 2 for a video;
 * *second (may be null): non-zero when it has sound. */
PLAYERMODULE_API int PlayerModule_GetMideaType(int* hasPicture, int* second);
/* The picture's size in pixels; fails when the file has no picture. */
PLAYERMODULE_API int PlayerModule_GetFrameSize(int* width, int* height);
/* Fills width x height x 3 bytes with the current picture, scaled to that size, as a bottom-up
 * bitmap of blue, green, red bytes with no row padding. Fails when no picture is decoded yet. */
PLAYERMODULE_API int PlayerModule_GetFrame(unsigned char* buffer, int width, int height);
/* Plays; resumes after Pause; after the end, plays again from the start. */
PLAYERMODULE_API int PlayerModule_Start(void);
/* Holds playback where it is; fails unless playing. */
PLAYERMODULE_API int PlayerModule_Pause(void);
/* Ends playback and goes back to the start. */
PLAYERMODULE_API int PlayerModule_Stop(void);
/* Releases the file. */
PLAYERMODULE_API int PlayerModule_Close(void);
/* The position of the sound heard, as a fraction 0.0 .. 1.0 of the duration. */
PLAYERMODULE_API int PlayerModule_GetPos(float* fraction);
/* The duration of the sound in seconds (once played to the end: exactly what was heard). */
PLAYERMODULE_API int PlayerModule_GetDuration(double* seconds);
/* Moves to a fraction 0.0 .. 1.0 of the duration, keeping the playing or paused state. */
PLAYERMODULE_API int PlayerModule_SetPos(float fraction);
/* 0 (silent) .. 65535 (as decoded); kept across files. */
PLAYERMODULE_API int PlayerModule_SetVolume(int volume);
PLAYERMODULE_API int PlayerModule_GetVolume(int* volume);

#ifdef __cplusplus
}
#endif

#endif
