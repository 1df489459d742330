#include "controls/SkinButtonAccessible.h"

#include <QKeySequence>

#include "controls/SkinButton.h"

namespace varnell {

namespace {

// "Add &Folder" reads "Add Folder"; "&&" stands for one "&".
QString WithoutAccessKeyMark(const QString& text) {
  QString plain;
  plain.reserve(text.size());
  for (qsizetype at = 0; at < text.size(); ++at) {
    if (text[at] == u'&' && at + 1 < text.size()) ++at;  // the mark goes, the letter after stays
    plain += text[at];
  }
  return plain;
}

}  // namespace

SkinButtonAccessible::SkinButtonAccessible(SkinButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

SkinButton& SkinButtonAccessible::button() const { return *static_cast<SkinButton*>(widget()); }

QString SkinButtonAccessible::text(QAccessible::Text kind) const {
  const SkinButton& shown = button();
  switch (kind) {
    case QAccessible::Name:
      if (!shown.accessibleName().isEmpty()) return shown.accessibleName();
      if (!shown.toolTip().trimmed().isEmpty()) return shown.toolTip().trimmed();
      return WithoutAccessKeyMark(shown.text());
    case QAccessible::Description:
      return shown.accessibleDescription();
    case QAccessible::Accelerator:
      return QKeySequence::mnemonic(shown.text()).toString(QKeySequence::NativeText);
    default:
      return QAccessibleWidget::text(kind);
  }
}

QAccessible::State SkinButtonAccessible::state() const {
  QAccessible::State state = QAccessibleWidget::state();
  const SkinButton& shown = button();
  state.pressed = shown.isDown();
  state.checkable = shown.isCheckable();
  state.checked = shown.isChecked();
  return state;
}

QStringList SkinButtonAccessible::actionNames() const {
  QStringList names = QAccessibleWidget::actionNames();
  if (button().isEnabled()) names.prepend(pressAction());
  return names;
}

void SkinButtonAccessible::doAction(const QString& action) {
  if (action == pressAction() && button().isEnabled()) {
    button().click();
    return;
  }
  QAccessibleWidget::doAction(action);
}

QStringList SkinButtonAccessible::keyBindingsForAction(const QString& action) const {
  if (action != pressAction()) return QAccessibleWidget::keyBindingsForAction(action);
  const QKeySequence key = QKeySequence::mnemonic(button().text());
  return key.isEmpty() ? QStringList() : QStringList{key.toString(QKeySequence::NativeText)};
}

}  // namespace varnell
