#include "app/MainWindowButtons.h"

#include <QCoreApplication>

#include "app/MainWindowTemplate.h"
#include "app/SkinCaptions.h"
#include "controls/ControlLookup.h"

namespace varnell {

using namespace main_window;

void MainWindowButtons::Skin(const QCursor& hand) {
  for (int id : kHandCursorButtons) buttons_.at(id)->setCursor(hand);
  for (const ToolTip& tip : kToolTips)
    buttons_.at(tip.id)->setToolTip(QCoreApplication::translate("MainWindowTemplate", tip.text));
  // After the tool tips: a caption elided for want of room falls back on a button's own tip.
  for (const skin_captions::ButtonEntry& entry : skin_captions::kButtons) {
    buttons_.at(entry.controlId)
        ->SetCaption(QCoreApplication::translate("SkinCaptions", entry.text), entry.caption);
  }
  for (const ButtonSkin& skin : kButtonSkins) {
    if (skin.shape != 0) buttons_.at(skin.id)->SetShapeFromBitmap(skin.shape);
    Enable(skin.id, skin.enabledAtStart);
  }
}

SkinButton* MainWindowButtons::find(int id) const { return FindControl(buttons_, id); }

void MainWindowButtons::Enable(int id, bool enabled) {
  for (const ButtonSkin& skin : kButtonSkins) {
    if (skin.id != id) continue;
    SkinButton* face = buttons_.at(id);
    const ButtonLook look = enabled || !skin.disabledLook ? skin.enabledLook : *skin.disabledLook;
    face->setEnabled(enabled);
    face->LoadStateBitmaps(look.hover, look.normal, look.pressed);
    face->update();
    return;
  }
}

}  // namespace varnell
