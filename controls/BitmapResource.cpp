#include "controls/BitmapResource.h"

#include <QString>

namespace varnell {

QImage LoadBitmapResource(int id) { return QImage(QStringLiteral(":/bitmaps/%1.png").arg(id)); }

}  // namespace varnell
