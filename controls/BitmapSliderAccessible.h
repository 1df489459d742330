// What a screen reader learns of a BitmapSlider: a slider with its value, minimum and maximum,
// which it may set (as a key would move the thumb, so the owner hears of it through released())
// or step by a page; named by its accessible name, else its tool tip. User-interface thread only.
#pragma once

#include <QAccessibleWidget>

namespace varnell {

class BitmapSlider;

class BitmapSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
 public:
  explicit BitmapSliderAccessible(BitmapSlider* slider);

  void* interface_cast(QAccessible::InterfaceType type) override;
  QString text(QAccessible::Text kind) const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;

  QVariant currentValue() const override;
  void setCurrentValue(const QVariant& value) override;
  QVariant maximumValue() const override;
  QVariant minimumValue() const override;
  QVariant minimumStepSize() const override;

 private:
  BitmapSlider& slider() const;
};

}  // namespace varnell
