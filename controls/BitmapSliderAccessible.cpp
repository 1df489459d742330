#include "controls/BitmapSliderAccessible.h"

#include <algorithm>
#include <cmath>

#include "controls/BitmapSlider.h"

namespace varnell {

BitmapSliderAccessible::BitmapSliderAccessible(BitmapSlider* slider)
    : QAccessibleWidget(slider, QAccessible::Slider) {}

BitmapSlider& BitmapSliderAccessible::slider() const {
  return *static_cast<BitmapSlider*>(widget());
}

void* BitmapSliderAccessible::interface_cast(QAccessible::InterfaceType type) {
  if (type == QAccessible::ValueInterface) return static_cast<QAccessibleValueInterface*>(this);
  return QAccessibleWidget::interface_cast(type);
}

QString BitmapSliderAccessible::text(QAccessible::Text kind) const {
  switch (kind) {
    case QAccessible::Name:
      return slider().accessibleName().isEmpty() ? slider().toolTip() : slider().accessibleName();
    case QAccessible::Value:
      return QString::number(slider().GetValue());
    default:
      return QAccessibleWidget::text(kind);
  }
}

QStringList BitmapSliderAccessible::actionNames() const {
  QStringList names = QAccessibleWidget::actionNames();
  if (slider().isEnabled()) names << increaseAction() << decreaseAction();
  return names;
}

// A page as Page Down and Page Up move it: Page Down is the one that increases.
void BitmapSliderAccessible::doAction(const QString& action) {
  BitmapSlider& moved = slider();
  if (moved.isEnabled() && action == increaseAction()) {
    moved.MoveTo(moved.GetValue() + moved.pageStep());
  } else if (moved.isEnabled() && action == decreaseAction()) {
    moved.MoveTo(moved.GetValue() - moved.pageStep());
  } else {
    QAccessibleWidget::doAction(action);
  }
}

QVariant BitmapSliderAccessible::currentValue() const { return slider().GetValue(); }

// A disabled slider (the position before a file plays) takes no value, as it takes no key.
void BitmapSliderAccessible::setCurrentValue(const QVariant& value) {
  bool isNumber = false;
  const double wanted = value.toDouble(&isNumber);
  if (!isNumber || std::isnan(wanted) || !slider().isEnabled()) return;
  const double lowest = slider().GetMinimum();
  const double highest = slider().GetMaximum();
  slider().MoveTo(static_cast<int>(std::clamp(wanted, std::min(lowest, highest), highest)));
}

QVariant BitmapSliderAccessible::maximumValue() const { return slider().GetMaximum(); }

QVariant BitmapSliderAccessible::minimumValue() const { return slider().GetMinimum(); }

QVariant BitmapSliderAccessible::minimumStepSize() const { return 1; }

}  // namespace varnell
