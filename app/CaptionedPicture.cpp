#include "app/CaptionedPicture.h"

#include <QCoreApplication>
#include <QImage>
#include <QPainter>

#include "app/SkinCaptions.h"
#include "controls/BitmapResource.h"

namespace varnell {

QPixmap LoadCaptionedPicture(int bitmapId, qreal devicePixelRatio) {
  QImage picture = LoadBitmapResource(bitmapId, devicePixelRatio)
                       .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (!picture.isNull()) {
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    for (const skin_captions::PictureEntry& entry : skin_captions::kPictures) {
      if (entry.bitmap != bitmapId) continue;
      const QString text = QCoreApplication::translate("SkinCaptions", entry.text);
      PaintCaption(painter, entry.style, FitCaption(entry.style, text), entry.ink);
    }
  }
  return QPixmap::fromImage(picture);
}

}  // namespace varnell
