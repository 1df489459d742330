#include "controls/BitmapResource.h"

#include <QString>

namespace varnell {

QImage LoadBitmapResource(int id) { return QImage(QStringLiteral(":/bitmaps/%1.png").arg(id)); }

QImage LoadBitmapResource(int id, qreal devicePixelRatio) {
  if (devicePixelRatio > 1.0) {
    QImage dense(QStringLiteral(":/bitmaps/%1@2x.png").arg(id));
    if (!dense.isNull()) {
      // The image reader takes the ratio from the "@2x" in the name; said here, it does not
      // depend on that.
      dense.setDevicePixelRatio(2.0);
      return dense;
    }
  }
  return LoadBitmapResource(id);
}

}  // namespace varnell
