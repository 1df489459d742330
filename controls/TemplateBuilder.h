// Makes a dialog's controls from its template: each control is made for its kind, named by its
// id (the tests and the dialogs find controls by that name), placed at its rectangle converted
// from dialog units, then disabled or hidden as the template says. What a dialog does beyond
// that, it says per kind: a widget of its own for ControlKind::Custom, and what to do with each
// control of a kind once it is placed (keep it, style it, lay it out otherwise).
// User-interface thread only.
#pragma once

#include <QLabel>
#include <QWidget>
#include <functional>
#include <map>
#include <span>
#include <vector>

#include "controls/ControlTemplate.h"
#include "controls/DialogUnits.h"

namespace varnell {

class TemplateBuilder {
 public:
  using CustomMaker = std::function<QWidget*(const ControlTemplate& control, QWidget& dialog)>;

  // `textContext` is the translation context the template's texts are marked with.
  TemplateBuilder(QWidget& dialog, TemplateFont font, const char* textContext);

  // Makes the dialog's controls of ControlKind::Custom.
  TemplateBuilder& MakeCustom(CustomMaker make);

  // Runs `then(control, widget)` for every control of `kind` once it is made, named and placed
  // (before it is disabled or hidden); its widget parameter is of the class the kind makes.
  template <typename Callback>
  TemplateBuilder& Then(ControlKind kind, Callback then) {
    return ThenAs(kind, std::function(std::move(then)));
  }

  // Makes the controls in the template's order, which is also their stacking order; Tab then
  // goes through them in reading order (SetTabOrderByLayout). A list, edit box, slider, frame or
  // control of the dialog's own shows no text of its own: its template text, if any, is its name
  // for screen readers; else a caption just before it in the template names it (without the
  // colon) and is its buddy. Where two such captions read the same, every control in a group box
  // is named with the group's title too ("Audio Bit Rate"), so the names tell the groups apart.
  void Build(std::span<const ControlTemplate> controls);

  // A control made by Build, by its id; null for id 0, an id not made or one of another class.
  template <typename Widget>
  Widget* control(int id) const {
    const auto found = made_.find(id);
    return found == made_.end() ? nullptr : dynamic_cast<Widget*>(found->second);
  }

 private:
  template <typename Widget>
  TemplateBuilder& ThenAs(ControlKind kind,
                          std::function<void(const ControlTemplate&, Widget&)> then) {
    then_[kind] = [then = std::move(then)](const ControlTemplate& control, QWidget& widget) {
      then(control, dynamic_cast<Widget&>(widget));
    };
    return *this;
  }
  QWidget* Make(const ControlTemplate& control);
  static void NameForScreenReaders(const ControlTemplate& control, QWidget& widget);
  struct Captioned {
    QLabel* caption;
    QWidget* control;
  };
  void NameByCaptions(const std::vector<Captioned>& captioned) const;

  QWidget& dialog_;
  const TemplateFont font_;
  const char* const textContext_;
  CustomMaker makeCustom_;
  std::map<ControlKind, std::function<void(const ControlTemplate&, QWidget&)>> then_;
  std::map<int, QWidget*> made_;
};

// The templates' captions were measured for a narrower font than a Linux desktop's: a caption
// widened by this keeps its whole text, whatever its template's width.
void FitCaptionToText(QLabel& caption);

}  // namespace varnell
