#include "controls/TemplateBuilder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <algorithm>

#include "controls/BitmapSlider.h"
#include "controls/ButtonTextFit.h"
#include "controls/HyperLink.h"
#include "controls/LayoutTabOrder.h"
#include "controls/SkinButton.h"
#include "controls/SkinLabel.h"

namespace varnell {

TemplateBuilder::TemplateBuilder(QWidget& dialog, TemplateFont font, const char* textContext)
    : dialog_(dialog), font_(font), textContext_(textContext) {}

TemplateBuilder& TemplateBuilder::MakeCustom(CustomMaker make) {
  makeCustom_ = std::move(make);
  return *this;
}

namespace {

// The kinds that show no text of their own, which a screen reader would read by value only.
bool ShowsNoText(ControlKind kind) {
  switch (kind) {
    case ControlKind::DropDownList:
    case ControlKind::Edit:
    case ControlKind::Slider:
    case ControlKind::Frame:
    case ControlKind::Custom:
      return true;
    default:
      return false;
  }
}

QString WithoutColon(QString caption) {
  if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
  return caption;
}

}  // namespace

void TemplateBuilder::Build(std::span<const ControlTemplate> controls) {
  std::vector<Captioned> captioned;
  QLabel* caption = nullptr;  // the control just made, when it is a caption
  for (const ControlTemplate& control : controls) {
    QWidget* widget = Make(control);
    if (caption != nullptr && ShowsNoText(control.kind) && *control.text == '\0')
      captioned.push_back({caption, widget});
    caption = control.kind == ControlKind::Caption ? static_cast<QLabel*>(widget) : nullptr;
    if (control.id != 0) {
      widget->setObjectName(QString::number(control.id));
      made_[control.id] = widget;
    }
    widget->setGeometry(
        DialogUnitsToPixels(control.x, control.y, control.width, control.height, font_));
    if (*control.text != '\0') NameForScreenReaders(control, *widget);
    if (const auto then = then_.find(control.kind); then != then_.end())
      then->second(control, *widget);
    if (auto* button = qobject_cast<QPushButton*>(widget)) FitButtonText(*button);
    if (!control.enabled) widget->setEnabled(false);
    if (!control.visible) widget->hide();
  }
  NameByCaptions(captioned);
  SetTabOrderByLayout(dialog_);
}

// The caption is also the control's buddy, which is how assistive technology relates the two.
void TemplateBuilder::NameByCaptions(const std::vector<Captioned>& captioned) const {
  bool captionsRepeat = false;
  for (auto at = captioned.begin(); at != captioned.end() && !captionsRepeat; ++at) {
    captionsRepeat = std::any_of(at + 1, captioned.end(), [at](const Captioned& other) {
      return other.caption->text() == at->caption->text();
    });
  }
  for (const auto& [caption, control] : captioned) {
    caption->setBuddy(control);
    QString name = WithoutColon(caption->text());
    const QGroupBox* group = captionsRepeat ? FramingGroup(dialog_, *control) : nullptr;
    if (group != nullptr) {
      name = QCoreApplication::translate(
                 "TemplateBuilder", "%1 %2",
                 "a control's name for screen readers: its group, then its caption")
                 .arg(group->title(), name);
    }
    control->setAccessibleName(name);
  }
}

void TemplateBuilder::NameForScreenReaders(const ControlTemplate& control, QWidget& widget) {
  if (!ShowsNoText(control.kind)) return;
  // A list is read by its name through ChoiceListAccessible; the description keeps what it is
  // for where Qt's own description of a list, which names it by its choice, is used.
  if (control.kind == ControlKind::DropDownList)
    widget.setAccessibleDescription(QString::fromUtf8(control.text));
  widget.setAccessibleName(QString::fromUtf8(control.text));
}

QWidget* TemplateBuilder::Make(const ControlTemplate& control) {
  QWidget* const parent = &dialog_;
  // The one place a template's text reaches the screen: in the user's language when the
  // program has a translation of it, else the template's own.
  const QString text =
      *control.text == '\0' ? QString() : QCoreApplication::translate(textContext_, control.text);
  switch (control.kind) {
    case ControlKind::Caption:
      return new QLabel(text, parent);
    case ControlKind::Picture:
      return new QLabel(parent);
    case ControlKind::GroupBox:
      return new QGroupBox(text, parent);
    case ControlKind::PushButton:
      return new QPushButton(text, parent);
    case ControlKind::DefaultPushButton: {
      auto* button = new QPushButton(text, parent);
      button->setDefault(true);
      return button;
    }
    case ControlKind::CheckBox:
      return new QCheckBox(text, parent);
    case ControlKind::DropDownList:
      return new QComboBox(parent);
    case ControlKind::Edit:
      return new QLineEdit(parent);
    case ControlKind::ProgressBar:
      return new QProgressBar(parent);
    case ControlKind::Frame:
      return new QFrame(parent);
    case ControlKind::SkinButton: {
      auto* button = new SkinButton(control.id, parent);
      // Never drawn (the faces are pictures), but its "&" letter is the button's access key.
      button->setText(text);
      return button;
    }
    case ControlKind::SkinLabel:
      return new SkinLabel(control.id, parent);
    case ControlKind::Slider:
      return new BitmapSlider(control.id, parent);
    case ControlKind::Link:
      return new HyperLink(control.id, parent);
    case ControlKind::Custom:
      return makeCustom_(control, dialog_);
  }
  return nullptr;
}

void FitCaptionToText(QLabel& caption) {
  const int needed = caption.fontMetrics().horizontalAdvance(caption.text()) + 2;
  caption.resize(std::max(caption.width(), needed), caption.height());
}

}  // namespace varnell
