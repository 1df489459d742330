#include "controls/LayoutTabOrder.h"

#include <QGroupBox>
#include <algorithm>
#include <map>

namespace varnell {
namespace {

// A group box and the controls it frames, or one control outside any group (then `frame` is
// that control's own rectangle).
struct ReadingUnit {
  QRect frame;
  std::vector<QWidget*> controls;
};

// Sorts anything with a rectangle into rows from the top, left to right within a row.
template <typename Item, typename Rect>
void SortIntoRows(std::vector<Item>& items, Rect rectOf) {
  std::stable_sort(items.begin(), items.end(), [&rectOf](const Item& a, const Item& b) {
    return rectOf(a).top() < rectOf(b).top();
  });
  auto rowStart = items.begin();
  while (rowStart != items.end()) {
    const int rowMiddle = rectOf(*rowStart).center().y();
    const auto rowEnd = std::find_if(rowStart, items.end(), [&rectOf, rowMiddle](const Item& item) {
      return rectOf(item).top() > rowMiddle;
    });
    std::stable_sort(rowStart, rowEnd, [&rectOf](const Item& a, const Item& b) {
      return rectOf(a).left() < rectOf(b).left();
    });
    rowStart = rowEnd;
  }
}

// A group box Tab reaches (a checkable one) lies in its own frame, so it leads its group.
std::vector<ReadingUnit> GroupIntoUnits(const QWidget& dialog,
                                        const std::vector<QWidget*>& controls) {
  std::vector<ReadingUnit> units;
  std::map<const QGroupBox*, std::size_t> unitOfGroup;
  for (const QGroupBox* group : dialog.findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
    unitOfGroup[group] = units.size();
    units.push_back({group->geometry(), {}});
  }
  for (QWidget* control : controls) {
    if (const QGroupBox* group = FramingGroup(dialog, *control)) {
      units[unitOfGroup.at(group)].controls.push_back(control);
    } else {
      units.push_back({control->geometry(), {control}});
    }
  }
  std::erase_if(units, [](const ReadingUnit& unit) { return unit.controls.empty(); });
  return units;
}

}  // namespace

QGroupBox* FramingGroup(const QWidget& dialog, const QWidget& control) {
  for (QGroupBox* group : dialog.findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly)) {
    if (group->geometry().contains(control.geometry().topLeft())) return group;
  }
  return nullptr;
}

std::vector<QWidget*> ReadingOrder(const QWidget& dialog) {
  std::vector<QWidget*> controls;
  for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isWindow() && (child->focusPolicy() & Qt::TabFocus) != 0) controls.push_back(child);
  }
  std::vector<ReadingUnit> units = GroupIntoUnits(dialog, controls);
  SortIntoRows(units, [](const ReadingUnit& unit) { return unit.frame; });
  std::vector<QWidget*> order;
  for (ReadingUnit& unit : units) {
    SortIntoRows(unit.controls, [](const QWidget* control) { return control->geometry(); });
    order.insert(order.end(), unit.controls.begin(), unit.controls.end());
  }
  return order;
}

void SetTabOrderByLayout(QWidget& dialog) {
  const std::vector<QWidget*> order = ReadingOrder(dialog);
  for (std::size_t at = 1; at < order.size(); ++at) QWidget::setTabOrder(order[at - 1], order[at]);
}

}  // namespace varnell
