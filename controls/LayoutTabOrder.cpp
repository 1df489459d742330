#include "controls/LayoutTabOrder.h"

#include <algorithm>

namespace varnell {

std::vector<QWidget*> ReadingOrder(const QWidget& dialog) {
  std::vector<QWidget*> controls;
  for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isWindow() && (child->focusPolicy() & Qt::TabFocus) != 0) controls.push_back(child);
  }
  std::stable_sort(controls.begin(), controls.end(), [](const QWidget* a, const QWidget* b) {
    return a->geometry().top() < b->geometry().top();
  });
  auto rowStart = controls.begin();
  while (rowStart != controls.end()) {
    const int rowMiddle = (*rowStart)->geometry().center().y();
    const auto rowEnd = std::find_if(rowStart, controls.end(), [rowMiddle](const QWidget* control) {
      return control->geometry().top() > rowMiddle;
    });
    std::stable_sort(rowStart, rowEnd, [](const QWidget* a, const QWidget* b) {
      return a->geometry().left() < b->geometry().left();
    });
    rowStart = rowEnd;
  }
  return controls;
}

void SetTabOrderByLayout(QWidget& dialog) {
  const std::vector<QWidget*> order = ReadingOrder(dialog);
  for (std::size_t at = 1; at < order.size(); ++at) QWidget::setTabOrder(order[at - 1], order[at]);
}

}  // namespace varnell
