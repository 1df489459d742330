#include "controls/LabelAccessible.h"

namespace varnell {

LabelAccessible::LabelAccessible(QLabel* label, std::function<QString()> address,
                                 std::function<void()> follow)
    : QAccessibleWidget(label, QAccessible::StaticText),
      address_(std::move(address)),
      follow_(std::move(follow)) {}

bool LabelAccessible::isLink() const { return !address_().isEmpty(); }

QAccessible::Role LabelAccessible::role() const {
  return isLink() ? QAccessible::Link : QAccessible::StaticText;
}

QAccessible::State LabelAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  state.linked = isLink();
  return state;
}

QString LabelAccessible::text(QAccessible::Text kind) const {
  const auto& label = static_cast<const QLabel&>(*widget());
  switch (kind) {
    case QAccessible::Name:
      return label.accessibleName().isEmpty() ? label.text() : label.accessibleName();
    case QAccessible::Value:
      return address_();
    case QAccessible::Description:
      return label.accessibleDescription().isEmpty() ? address_() : label.accessibleDescription();
    default:
      return QAccessibleWidget::text(kind);
  }
}

QStringList LabelAccessible::actionNames() const {
  QStringList names = QAccessibleWidget::actionNames();
  if (isLink() && widget()->isEnabled()) names.prepend(pressAction());
  return names;
}

void LabelAccessible::doAction(const QString& action) {
  if (action == pressAction() && isLink() && widget()->isEnabled()) {
    follow_();
    return;
  }
  QAccessibleWidget::doAction(action);
}

}  // namespace varnell
