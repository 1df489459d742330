#include "controls/ControlAccessibility.h"

#include <QAccessible>
#include <QComboBox>
#include <QObject>
#include <QString>

#include "controls/BitmapSlider.h"
#include "controls/BitmapSliderAccessible.h"
#include "controls/ChoiceListAccessible.h"
#include "controls/HyperLink.h"
#include "controls/LabelAccessible.h"
#include "controls/SkinButton.h"
#include "controls/SkinButtonAccessible.h"
#include "controls/SkinLabel.h"

namespace varnell {

namespace {

// Qt asks for each class of an object's ancestry, the object's own class first; answering only
// to our own class names leaves every other widget to Qt.
QAccessibleInterface* ControlInterface(const QString& className, QObject* object) {
  if (className == QLatin1String(SkinButton::staticMetaObject.className())) {
    return new SkinButtonAccessible(static_cast<SkinButton*>(object));
  }
  if (className == QLatin1String(BitmapSlider::staticMetaObject.className())) {
    return new BitmapSliderAccessible(static_cast<BitmapSlider*>(object));
  }
  if (className == QLatin1String(HyperLink::staticMetaObject.className())) {
    auto* link = static_cast<HyperLink*>(object);
    return new LabelAccessible(
        link, [link] { return link->GetURL().isEmpty() ? link->text() : link->GetURL(); },
        [link] { link->Follow(); });
  }
  if (className == QLatin1String(SkinLabel::staticMetaObject.className())) {
    auto* label = static_cast<SkinLabel*>(object);
    return new LabelAccessible(
        label, [label] { return label->followedAddress(); }, [label] { label->Follow(); });
  }
  if (className == QLatin1String(QComboBox::staticMetaObject.className())) {
    return new ChoiceListAccessible(static_cast<QComboBox*>(object));
  }
  return nullptr;
}

}  // namespace

void InstallControlAccessibility() { QAccessible::installFactory(&ControlInterface); }

}  // namespace varnell
