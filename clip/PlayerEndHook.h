// The player's end of playback reaches the object that holds the player (the clip dialog, or the
// main window's preview) through this hook. The player takes a plain C function and calls it on
// its decoding thread, so the receiver is kept in the one process-wide pointer (one player per
// process, held by one receiver at a time) and the work is queued to the receiver's thread as a
// call of its invokable PlaybackEnded().
#pragma once

#include <QObject>

namespace varnell::player_end_hook {

// Makes `receiver` the receiver of the player's notifications; `playerId` names it to the player.
void Attach(QObject* receiver, const wchar_t* playerId);
// Forgets the receiver if it is the one; later end notifications then go nowhere until someone
// else attaches.
void Release(QObject* receiver);

}  // namespace varnell::player_end_hook
