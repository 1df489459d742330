#include "resources/generator/AboutPicturePainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

#include "resources/generator/FaceContentKit.h"
#include "resources/generator/IconPaths.h"
#include "resources/generator/ScaledImage.h"
#include "resources/generator/SkinPalette.h"

namespace varnell::skin {

namespace {

QColor withAlpha(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

const QColor kTextShadow(0, 0, 0, 110);

void drawText(QPainter& painter, const QRectF& box, const QString& text, const QFont& font,
              const QColor& colour) {
  painter.setFont(font);
  painter.setPen(kTextShadow);
  painter.drawText(box.translated(0, 1), Qt::AlignLeft | Qt::AlignVCenter, text);
  painter.setPen(colour);
  painter.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, text);
}

// A wide, quiet waveform fading in towards the right edge: what the program works on.
void paintWaveform(QPainter& painter, const QRectF& area) {
  painter.setPen(Qt::NoPen);
  const int bars = 30;
  const qreal pitch = area.width() / bars;
  for (int i = 0; i < bars; ++i) {
    // A few summed sines give a recording's uneven envelope without any randomness, so
    // regenerating draws the same picture.
    const qreal t = qreal(i) / (bars - 1);
    const qreal envelope =
        0.35 + 0.65 * std::abs(std::sin(i * 0.55) * 0.6 + std::sin(i * 1.7 + 0.8) * 0.4);
    const qreal height = std::max(4.0, area.height() * envelope);
    const QRectF bar(area.left() + i * pitch + pitch * 0.2, area.center().y() - height / 2,
                     pitch * 0.6, height);
    painter.setBrush(withAlpha(palette::kTeal, int(30 + 120 * t)));
    painter.drawRoundedRect(bar, pitch * 0.3, pitch * 0.3);
  }
}

}  // namespace

QImage AboutPicturePainter::paint(qreal scale) {
  QImage image = ScaledImage(QSize(kWidth, kHeight), QImage::Format_RGB32, scale);
  QPainter painter(&image);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  const QRectF banner(0, 0, kWidth, kHeight);

  QLinearGradient shade(banner.topLeft(), banner.bottomLeft());
  shade.setColorAt(0, palette::kHeaderTop);
  shade.setColorAt(1, palette::kWindowTop);
  painter.fillRect(banner, shade);
  QRadialGradient pool(QPointF(110, 30), 260);
  pool.setColorAt(0, QColor(0x4a, 0x8c, 0x9c, 46));
  pool.setColorAt(1, QColor(0x4a, 0x8c, 0x9c, 0));
  painter.fillRect(banner, pool);
  paintWaveform(painter, QRectF(250, 18, 140, 50));

  // The header's mark and name, a size up.
  const QRectF mark(18, 17, 52, 52);
  QLinearGradient markFill(mark.topLeft(), mark.bottomLeft());
  markFill.setColorAt(0, QColor(0x3c, 0xc1, 0xcf));
  markFill.setColorAt(1, palette::kTealDeep);
  painter.setPen(QPen(QColor(0x0a, 0x3a, 0x44), 1.0));
  painter.setBrush(markFill);
  painter.drawRoundedRect(mark, 13, 13);
  painter.setPen(Qt::NoPen);
  painter.fillPath(IconPaths::fitted(IconPaths::waveBars(), mark.adjusted(10, 10, -10, -10)),
                   palette::kNearWhite);
  drawText(painter, QRectF(84, 14, 200, 38), QStringLiteral("Varnell"), FaceContentKit::font(34),
           palette::kTextOnDark);

  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(palette::kEdgeDark, 1.0));
  painter.drawRect(banner.adjusted(0.5, 0.5, -0.5, -0.5));
  painter.setPen(QPen(withAlpha(palette::kEdgeLight, 90), 1.0));
  painter.drawRect(banner.adjusted(1.5, 1.5, -1.5, -1.5));
  return image;
}

std::vector<PictureCaption> AboutPicturePainter::captions() {
  return {{249, QStringLiteral("batch audio converter"),
           CaptionStyle{QRectF(86, 50, 220, 18), 14, false, Qt::AlignLeft | Qt::AlignVCenter, 1.0},
           InkOf(palette::kTextOnDarkSoft, kTextShadow)}};
}

}  // namespace varnell::skin
