// What a screen reader learns of the text controls (SkinLabel, HyperLink): static text named by
// its text, or, while the control is a link, a link whose value and description are the address
// it opens and whose press action follows it as a click does. User-interface thread only.
#pragma once

#include <QAccessibleWidget>
#include <QLabel>
#include <functional>

namespace varnell {

class LabelAccessible : public QAccessibleWidget {
 public:
  // address is empty while the control is no link; follow does what a click does.
  LabelAccessible(QLabel* label, std::function<QString()> address, std::function<void()> follow);

  QAccessible::Role role() const override;
  QAccessible::State state() const override;
  QString text(QAccessible::Text kind) const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;

 private:
  bool isLink() const;

  std::function<QString()> address_;
  std::function<void()> follow_;
};

}  // namespace varnell
