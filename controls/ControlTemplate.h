// One control of a dialog template, as the dialog's resource describes it: its id, what kind of
// control it is, its text and its rectangle in dialog units. A dialog keeps its controls in an
// array of these, in the template's order, and TemplateBuilder makes them.
#pragma once

#include <QtGlobal>

namespace varnell {

enum class ControlKind {
  Caption,            // QLabel showing the text
  Picture,            // QLabel for a picture the dialog sets
  GroupBox,           // QGroupBox titled with the text
  PushButton,         // QPushButton
  DefaultPushButton,  // QPushButton, the dialog's default one
  CheckBox,           // QCheckBox
  DropDownList,       // QComboBox
  Edit,               // QLineEdit
  ProgressBar,        // QProgressBar
  Frame,              // QFrame
  SkinButton,         // SkinButton, its text giving only the access key
  SkinLabel,          // SkinLabel, empty until the dialog gives it its text
  Slider,             // BitmapSlider
  Link,               // HyperLink
  Custom,             // a widget of the dialog's own, which the dialog makes
};

struct ControlTemplate {
  int id;  // 0 for the controls nothing addresses (most captions), which get no object name
  ControlKind kind;
  // Marked in the tables with QT_TRANSLATE_NOOP and the template's context, which the dialog
  // gives TemplateBuilder: the builder shows the text in the user's language.
  const char* text;
  int x, y, width, height;  // dialog units; a drop-down list's height includes its open list
  bool visible = true;
  bool enabled = true;
};

}  // namespace varnell
