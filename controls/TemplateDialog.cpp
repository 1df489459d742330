#include "controls/TemplateDialog.h"

namespace varnell {

void SetUpTemplateDialog(QDialog& dialog, const QString& caption, QSize sizeInUnits,
                         TemplateFont font) {
  dialog.setWindowTitle(caption);
  dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                        Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  dialog.setFixedSize(DialogUnitsToPixels(sizeInUnits, font));
  dialog.setModal(true);
  QFont text = dialog.font();
  text.setPointSize(font == TemplateFont::Shell8pt ? 8 : 9);
  dialog.setFont(text);
}

}  // namespace varnell
