// What a screen reader learns of a drop-down list: a combo box named by its accessible name (the
// caption beside it, which TemplateBuilder gives it), its value the current choice, its one
// child the open list. Qt's own description names a list by its current choice on Linux, so a
// list read as "128 kbps" would never say what it chooses. User-interface thread only.
#pragma once

#include <QAccessibleWidget>

class QComboBox;

namespace varnell {

class ChoiceListAccessible : public QAccessibleWidget {
 public:
  explicit ChoiceListAccessible(QComboBox* list);

  QString text(QAccessible::Text kind) const override;
  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;

 private:
  QComboBox& list() const;
};

}  // namespace varnell
