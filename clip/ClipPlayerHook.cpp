#include "clip/ClipPlayerHook.h"

#include <QMetaObject>
#include <atomic>

#include "clip/ClipDialog.h"
#include "playermodule/PlayerModule.h"

namespace varnell::clip_player_hook {

namespace {

const wchar_t* const kPlayerId = L"VarnellClip";

// Written on the user-interface thread, read on the player's thread.
std::atomic<ClipDialog*> openDialog{nullptr};

void OnPlaybackEnded() {
  if (ClipDialog* dialog = openDialog.load()) {
    QMetaObject::invokeMethod(dialog, "PlaybackEnded", Qt::QueuedConnection);
  }
}

void OnPlaybackSecond(int) {}

}  // namespace

void Attach(ClipDialog* dialog) {
  openDialog.store(dialog);
  PlayerModule_Initialize(OnPlaybackEnded, OnPlaybackSecond, kPlayerId);
}

void Release(ClipDialog* dialog) {
  ClipDialog* expected = dialog;
  openDialog.compare_exchange_strong(expected, nullptr);
}

}  // namespace varnell::clip_player_hook
