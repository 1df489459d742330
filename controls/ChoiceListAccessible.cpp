#include "controls/ChoiceListAccessible.h"

#include <QAbstractItemView>
#include <QComboBox>

namespace varnell {

ChoiceListAccessible::ChoiceListAccessible(QComboBox* list)
    : QAccessibleWidget(list, QAccessible::ComboBox) {}

QComboBox& ChoiceListAccessible::list() const { return *static_cast<QComboBox*>(widget()); }

QString ChoiceListAccessible::text(QAccessible::Text kind) const {
  switch (kind) {
    case QAccessible::Name:
      if (!list().accessibleName().isEmpty()) return list().accessibleName();
      return list().currentText();  // a list nobody named is read by its choice, as Qt does
    case QAccessible::Value:
      return list().currentText();
    default:
      return QAccessibleWidget::text(kind);
  }
}

int ChoiceListAccessible::childCount() const { return 1; }

QAccessibleInterface* ChoiceListAccessible::child(int index) const {
  return index == 0 ? QAccessible::queryAccessibleInterface(list().view()) : nullptr;
}

int ChoiceListAccessible::indexOfChild(const QAccessibleInterface* child) const {
  return child != nullptr && child->object() == list().view() ? 0 : -1;
}

QStringList ChoiceListAccessible::actionNames() const {
  return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
}

void ChoiceListAccessible::doAction(const QString& action) {
  if (action == showMenuAction() || action == pressAction()) {
    list().showPopup();
    return;
  }
  QAccessibleWidget::doAction(action);
}

}  // namespace varnell
