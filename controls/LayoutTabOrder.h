// Tab order in reading order: a template dialog's controls were listed in stacking order, which
// wanders (a group box under its contents, the title-bar buttons last), so Tab follows where the
// controls sit instead. The controls a group box frames are visited together, one group after
// the other, so that Tab goes down a column of the dialog instead of across its columns; the
// groups and the controls outside any group are read row by row from the top, left to right
// within a row, and so are the controls within a group. Something belongs to a row when its top
// edge lies above the middle of the row's first (topmost) one.
// User-interface thread only.
#pragma once

#include <QWidget>
#include <vector>

class QGroupBox;

namespace varnell {

// The dialog's group box that frames `control`, null when none does. The templates place a group
// box as the controls' sibling, under them: a control is the group's when its top-left corner
// lies inside the box (a list's rectangle includes its open list, which may reach below it).
QGroupBox* FramingGroup(const QWidget& dialog, const QWidget& control);

// The dialog's own child widgets that Tab can reach (hidden and disabled ones too, so they have
// their place when shown or enabled), in reading order.
std::vector<QWidget*> ReadingOrder(const QWidget& dialog);

// Chains those children with QWidget::setTabOrder in reading order.
void SetTabOrderByLayout(QWidget& dialog);

}  // namespace varnell
