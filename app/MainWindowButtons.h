// The main window's bitmap buttons by control id, with their skins from the window's template:
// shape, hand cursor, tool tip, and the look each shows enabled and disabled. The window makes
// the buttons; its controllers enable and disable them here. User-interface thread only.
#pragma once

#include <QCursor>
#include <map>

#include "controls/SkinButton.h"

namespace varnell {

class MainWindowButtons {
 public:
  void Add(int id, SkinButton* button) { buttons_[id] = button; }
  // Once every button is there: cursors, tool tips, shapes and the looks they start with.
  void Skin(const QCursor& hand);

  // Null for an id that is not one of the buttons.
  SkinButton* find(int id) const;
  SkinButton& at(int id) const { return *buttons_.at(id); }

  // Enabled or disabled with the look its skin has for that; an id without a skin is left alone.
  void Enable(int id, bool enabled);

 private:
  std::map<int, SkinButton*> buttons_;
};

}  // namespace varnell
