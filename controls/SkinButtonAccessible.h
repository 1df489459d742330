// What a screen reader learns of a SkinButton: a push button named by its tool tip (the faces
// are pictures, and the template texts of several are no words: "00", "Button_MIX"), else by its
// text without the access key's "&"; pressed and checked states; press and focus actions; the
// access key as the press's key binding. User-interface thread only, like the button.
#pragma once

#include <QAccessibleWidget>

namespace varnell {

class SkinButton;

class SkinButtonAccessible : public QAccessibleWidget {
 public:
  explicit SkinButtonAccessible(SkinButton* button);

  QString text(QAccessible::Text kind) const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& action) override;
  QStringList keyBindingsForAction(const QString& action) const override;

 private:
  SkinButton& button() const;
};

}  // namespace varnell
