#include "resources/generator/FacePainter.h"

#include <QLinearGradient>
#include <QPainter>

#include "resources/generator/ScaledImage.h"

namespace varnell::skin {

namespace {

constexpr QRgb kWhite = 0xffffffff;
constexpr QRgb kAlmostWhite = 0xfffefefe;

QImage coverageOf(const QPainterPath& silhouette, QSize size, qreal scale) {
  QImage coverage = ScaledImage(size, QImage::Format_ARGB32_Premultiplied, scale);
  coverage.fill(Qt::transparent);
  QPainter painter(&coverage);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillPath(silhouette, Qt::black);
  return coverage;
}

void paintBody(QPainter& painter, const ButtonDesign& design, const FaceColours& colours) {
  const QPainterPath outline = design.silhouette(0);
  const QRectF bounds = outline.boundingRect();

  QLinearGradient body(bounds.topLeft(), bounds.bottomLeft());
  body.setColorAt(0, colours.bodyTop);
  body.setColorAt(1, colours.bodyBottom);
  painter.fillPath(outline, body);

  QPainterPath upperHalf;
  upperHalf.addRect(QRectF(bounds.left(), bounds.top(), bounds.width(), bounds.height() * 0.48));
  const QPainterPath sheen = design.silhouette(1.5).intersected(upperHalf);
  QLinearGradient light(bounds.topLeft(),
                        QPointF(bounds.left(), bounds.top() + bounds.height() * 0.48));
  light.setColorAt(0, QColor(255, 255, 255, colours.sheenAlpha));
  light.setColorAt(1, QColor(255, 255, 255, colours.sheenAlpha / 5));
  painter.fillPath(sheen, light);

  if (colours.glow.isValid()) painter.strokePath(design.silhouette(2.4), QPen(colours.glow, 2.2));
  painter.strokePath(design.silhouette(0.6), QPen(colours.rim, 1.2));
}

}  // namespace

FacePainter::FacePainter(QImage backdrop)
    : backdrop_(backdrop.convertToFormat(QImage::Format_ARGB32_Premultiplied)) {}

QImage FacePainter::paint(const ButtonDesign& design, const FaceBitmap& face) const {
  const QSize size = design.rect.size();
  const qreal scale = backdrop_.devicePixelRatio();
  const FaceColours colours = FaceStyle::colours(design.family, face.look);

  QImage layer = ScaledImage(size, QImage::Format_ARGB32_Premultiplied, scale);
  layer.fill(Qt::transparent);
  {
    QPainter painter(&layer);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    if (design.hasBody) paintBody(painter, design, colours);
    face.content(painter, colours);
  }

  const QImage coverage = coverageOf(design.silhouette(0), size, scale);
  if (!design.rectangularWindow) {
    QPainter clip(&layer);
    clip.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    clip.drawImage(0, 0, coverage);
  }

  QImage result = CopyScaled(backdrop_, design.rect);
  {
    QPainter over(&result);
    over.drawImage(0, 0, layer);
  }
  result = result.convertToFormat(QImage::Format_RGB32);
  if (scale != 1.0) return result;

  for (int y = 0; y < size.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(result.scanLine(y));
    const auto* cover = reinterpret_cast<const QRgb*>(coverage.constScanLine(y));
    for (int x = 0; x < size.width(); ++x) {
      const bool inside = design.rectangularWindow || qAlpha(cover[x]) >= kInsideCoverage;
      if (!inside)
        row[x] = kWhite;
      else if ((row[x] | 0xff000000) == kWhite)
        row[x] = kAlmostWhite;
    }
  }
  return result;
}

}  // namespace varnell::skin
