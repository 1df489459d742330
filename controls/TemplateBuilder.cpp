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

void TemplateBuilder::Build(std::span<const ControlTemplate> controls) {
  for (const ControlTemplate& control : controls) {
    QWidget* widget = Make(control);
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
  SetTabOrderByLayout(dialog_);
}

void TemplateBuilder::NameForScreenReaders(const ControlTemplate& control, QWidget& widget) {
  switch (control.kind) {
    case ControlKind::DropDownList:
      // Qt names a list by its current choice on Linux; the description keeps what it is for.
      widget.setAccessibleDescription(QString::fromUtf8(control.text));
      [[fallthrough]];
    case ControlKind::Edit:
    case ControlKind::Slider:
    case ControlKind::Frame:
    case ControlKind::Custom:
      widget.setAccessibleName(QString::fromUtf8(control.text));
      break;
    default:
      break;
  }
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
