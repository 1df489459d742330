// The frame every template-built dialog shares: caption, a fixed size from the template's dialog
// units, modal, and the template's point size.
#pragma once

#include <QDialog>

#include "controls/DialogUnits.h"

namespace varnell {

void SetUpTemplateDialog(QDialog& dialog, const QString& caption, QSize sizeInUnits,
                         TemplateFont font = TemplateFont::Shell8pt);

}  // namespace varnell
