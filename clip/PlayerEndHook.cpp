#include "clip/PlayerEndHook.h"

#include <QMetaObject>
#include <atomic>

#include "playermodule/PlayerModule.h"

namespace varnell::player_end_hook {

namespace {

// Written on the user-interface thread, read on the player's thread.
std::atomic<QObject*> receiverOfEnd{nullptr};

void OnPlaybackEnded() {
  if (QObject* receiver = receiverOfEnd.load()) {
    QMetaObject::invokeMethod(receiver, "PlaybackEnded", Qt::QueuedConnection);
  }
}

void OnPlaybackSecond(int) {}

}  // namespace

void Attach(QObject* receiver, const wchar_t* playerId) {
  receiverOfEnd.store(receiver);
  PlayerModule_Initialize(OnPlaybackEnded, OnPlaybackSecond, playerId);
}

void Release(QObject* receiver) {
  QObject* expected = receiver;
  receiverOfEnd.compare_exchange_strong(expected, nullptr);
}

}  // namespace varnell::player_end_hook
