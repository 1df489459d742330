// The player's end of playback reaches the open clip dialog through this hook. The player
// takes a plain C function and calls it on its decoding thread, so the dialog is kept in the
// one process-wide pointer (one player per process, one clip dialog open at a time) and the
// work is queued to the dialog's thread.
#pragma once

namespace varnell {

class ClipDialog;

namespace clip_player_hook {

// Makes the dialog the receiver of the player's notifications.
void Attach(ClipDialog* dialog);
// Forgets the dialog if it is the receiver; later end notifications then go nowhere until
// someone else registers with the player.
void Release(ClipDialog* dialog);

}  // namespace clip_player_hook
}  // namespace varnell
