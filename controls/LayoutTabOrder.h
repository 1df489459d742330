// Tab order in reading order: a template dialog's controls were listed in stacking order, which
// wanders (a group box under its contents, the title-bar buttons last), so Tab follows where the
// controls sit instead: row by row from the top, left to right within a row. A control belongs
// to a row when its top edge lies above the middle of the row's first (topmost) control.
// User-interface thread only.
#pragma once

#include <QWidget>
#include <vector>

namespace varnell {

// The dialog's own child widgets that Tab can reach (hidden and disabled ones too, so they have
// their place when shown or enabled), in reading order.
std::vector<QWidget*> ReadingOrder(const QWidget& dialog);

// Chains those children with QWidget::setTabOrder in reading order.
void SetTabOrderByLayout(QWidget& dialog);

}  // namespace varnell
