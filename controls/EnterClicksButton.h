// Enter on a focused push button clicks it, as Space does, for a dialog whose buttons are not
// auto-default (so that Enter elsewhere ends nothing by surprise). The watcher is a child of the
// button and lives as long as it. User-interface thread only.
#pragma once

class QKeyEvent;
class QPushButton;

namespace varnell {

void MakeEnterClick(QPushButton& button);

// Return, or Enter on the keypad, without another modifier.
bool IsEnterKey(const QKeyEvent& event);

}  // namespace varnell
