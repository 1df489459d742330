#include "resources/generator/BackgroundPainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>

#include "resources/generator/FaceContentKit.h"
#include "resources/generator/IconPaths.h"
#include "resources/generator/PreviewScreenPainter.h"
#include "resources/generator/ScaledImage.h"
#include "resources/generator/SkinPalette.h"
#include "resources/generator/WindowLayout.h"

namespace varnell::skin {

namespace {

QColor withAlpha(QColor colour, int alpha) {
  colour.setAlpha(alpha);
  return colour;
}

const QColor kCaptionShadow(0, 0, 0, 110);

// The background is drawn in window coordinates and squeezed into the picture; a caption's box
// is kept in the picture's pixels, as every other part of it is.
PictureCaption roomFor(const QRectF& windowBox, const QString& text, int pixelSize, bool bold,
                       const QColor& colour, const QColor& shadow, Qt::Alignment alignment) {
  const QTransform squeeze = QTransform::fromScale(
      1.0, qreal(layout::kBackgroundSize.height()) / layout::kClientSize.height());
  return {290, text, CaptionStyle{squeeze.mapRect(windowBox), pixelSize, bold, int(alignment), 1.0},
          InkOf(colour, shadow)};
}

}  // namespace

QImage BackgroundPainter::paint(qreal scale) {
  QImage image = ScaledImage(layout::kBackgroundSize, QImage::Format_RGB32, scale);
  QPainter painter(&image);
  painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                         QPainter::SmoothPixmapTransform);
  painter.scale(1.0, qreal(layout::kBackgroundSize.height()) / layout::kClientSize.height());
  paintBase(painter);
  paintHeader(painter);
  paintTaskListInvitation(painter);
  paintPreviewScreen(painter);
  paintFormatCard(painter);
  paintWindowEdge(painter);
  return image;
}

void BackgroundPainter::paintBase(QPainter& painter) {
  const QRectF window(QPointF(0, 0), layout::kClientSize);
  QLinearGradient base(window.topLeft(), window.bottomLeft());
  base.setColorAt(0, palette::kWindowTop);
  base.setColorAt(1, palette::kWindowBottom);
  painter.fillRect(window, base);

  // A wide, faint pool of light behind the list keeps the large dark surface from looking flat.
  QRadialGradient pool(QPointF(300, 250), 520);
  pool.setColorAt(0, QColor(0x4a, 0x8c, 0x9c, 40));
  pool.setColorAt(1, QColor(0x4a, 0x8c, 0x9c, 0));
  painter.fillRect(window, pool);
}

void BackgroundPainter::paintHeader(QPainter& painter) {
  const QRectF band(0, 0, layout::kClientSize.width(), layout::kHeaderHeight);
  QLinearGradient shade(band.topLeft(), band.bottomLeft());
  shade.setColorAt(0, palette::kHeaderTop);
  shade.setColorAt(1, palette::kHeaderBottom);
  painter.fillRect(band, shade);
  painter.fillRect(QRectF(0, band.bottom(), band.width(), 1), withAlpha(palette::kEdgeLight, 200));
  QLinearGradient drop(QPointF(0, band.bottom() + 1), QPointF(0, band.bottom() + 7));
  drop.setColorAt(0, QColor(0, 0, 0, 90));
  drop.setColorAt(1, QColor(0, 0, 0, 0));
  painter.fillRect(QRectF(0, band.bottom() + 1, band.width(), 6), drop);

  // Grip ridges: the frameless window is moved by dragging its free surface, and the header
  // is where people try first.
  painter.setPen(Qt::NoPen);
  for (int row = 0; row < 3; ++row) {
    for (qreal x = 440; x < 800; x += 6) {
      const qreal y = 7 + row * 4;
      painter.setBrush(QColor(0, 0, 0, 120));
      painter.drawEllipse(QPointF(x + 0.6, y + 0.6), 1.0, 1.0);
      painter.setBrush(withAlpha(palette::kEdgeLight, 120));
      painter.drawEllipse(QPointF(x, y), 0.9, 0.9);
    }
  }
  painter.setBrush(Qt::NoBrush);

  // Wordmark: the application's own mark and name.
  const QRectF mark(574, 34, 40, 40);
  QLinearGradient markFill(mark.topLeft(), mark.bottomLeft());
  markFill.setColorAt(0, QColor(0x3c, 0xc1, 0xcf));
  markFill.setColorAt(1, palette::kTealDeep);
  painter.setPen(QPen(QColor(0x0a, 0x3a, 0x44), 1.0));
  painter.setBrush(markFill);
  painter.drawRoundedRect(mark, 10, 10);
  painter.setPen(Qt::NoPen);
  painter.fillPath(IconPaths::fitted(IconPaths::waveBars(), mark.adjusted(8, 8, -8, -8)),
                   palette::kNearWhite);
  // The program's name stays in the picture: it reads the same in every language.
  painter.setFont(FaceContentKit::font(30));
  painter.setPen(kCaptionShadow);
  const QRectF nameBox(624, 30, 240, 34);
  painter.drawText(nameBox.translated(0, 1), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("Varnell"));
  painter.setPen(palette::kTextOnDark);
  painter.drawText(nameBox, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Varnell"));
}

std::vector<PictureCaption> BackgroundPainter::captions() {
  const Qt::Alignment leftMiddle = Qt::AlignLeft | Qt::AlignVCenter;
  const QRectF area = QRectF(layout::kTaskListArea).adjusted(0.5, 0.5, -0.5, -0.5);
  const QPointF centre = area.center();
  const QRectF screen(layout::kPreviewScreen);
  const QRect profile = layout::kProfileCombo;
  const QRect output = layout::kOutputCombo;
  return {
      roomFor(QRectF(626, 61, 250, 16), QStringLiteral("batch audio converter"), 12, false,
              palette::kTextOnDarkSoft, kCaptionShadow, leftMiddle),
      roomFor(QRectF(area.left(), centre.y() + 10, area.width(), 28),
              QStringLiteral("Add files or drop them here"), 20, true, palette::kPanelInk, QColor(),
              Qt::AlignCenter),
      roomFor(QRectF(area.left(), centre.y() + 40, area.width(), 18),
              QStringLiteral(
                  "Click Add, or drag .m4a and .aac files from your file manager onto this area"),
              12, false, palette::kPanelInkSoft, QColor(), Qt::AlignCenter),
      roomFor(QRectF(screen.left() + 1, 100, 200, 16), QStringLiteral("PREVIEW"), 11, true,
              palette::kTextOnDarkSoft, kCaptionShadow, leftMiddle),
      roomFor(QRectF(23, profile.center().y() - 9, 58, 20), QStringLiteral("Profile:"), 12, true,
              palette::kTextOnDark, kCaptionShadow, leftMiddle),
      roomFor(QRectF(23, output.center().y() - 9, 58, 20), QStringLiteral("Output:"), 12, true,
              palette::kTextOnDark, kCaptionShadow, leftMiddle),
  };
}

void BackgroundPainter::paintTaskListInvitation(QPainter& painter) {
  const QRectF area = QRectF(layout::kTaskListArea).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient fill(area.topLeft(), area.bottomLeft());
  fill.setColorAt(0, palette::kPanelTop);
  fill.setColorAt(1, palette::kPanelBottom);
  painter.setPen(QPen(palette::kPanelBorder, 1.0));
  painter.setBrush(fill);
  painter.drawRoundedRect(area, 7, 7);

  QPen dashes(withAlpha(palette::kTealInk, 120), 1.6, Qt::CustomDashLine, Qt::RoundCap);
  dashes.setDashPattern({5, 4});
  painter.setPen(dashes);
  painter.setBrush(Qt::NoBrush);
  painter.drawRoundedRect(area.adjusted(14, 14, -14, -14), 10, 10);

  const QPointF centre = area.center();
  const QRectF circle(centre.x() - 38, centre.y() - 76, 76, 76);
  painter.setPen(Qt::NoPen);
  painter.setBrush(withAlpha(palette::kTeal, 38));
  painter.drawEllipse(circle);
  painter.fillPath(IconPaths::fitted(IconPaths::dropTray(), circle.adjusted(16, 16, -16, -16)),
                   palette::kTealInk);
}

void BackgroundPainter::paintPreviewScreen(QPainter& painter) {
  const QRectF screen(layout::kPreviewScreen);
  PaintPreviewScreen(painter, screen, 3.5, 60);

  // The transport strip under the screen, behind the position slider and the buttons.
  const QRectF strip(screen.left() - 3.5, 355.5, screen.width() + 6, 63);
  painter.setPen(QPen(withAlpha(palette::kCardBorder, 160), 1.0));
  painter.setBrush(withAlpha(palette::kCard, 200));
  painter.drawRoundedRect(strip, 6, 6);
}

void BackgroundPainter::paintFormatCard(QPainter& painter) {
  const QRectF card = QRectF(layout::kFormatCard).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient fill(card.topLeft(), card.bottomLeft());
  fill.setColorAt(0, palette::kCard.lighter(112));
  fill.setColorAt(1, palette::kCard);
  painter.setPen(QPen(palette::kCardBorder, 1.0));
  painter.setBrush(fill);
  painter.drawRoundedRect(card, 8, 8);

  const QRect profile = layout::kProfileCombo;
  const QRect output = layout::kOutputCombo;
  // Sunken beds under the two combo boxes, so the boxes look set into the card.
  painter.setPen(QPen(QColor(0, 0, 0, 90), 1.0));
  painter.setBrush(QColor(0x0b, 0x18, 0x1e, 120));
  for (const QRect& combo : {profile, output})
    painter.drawRoundedRect(QRectF(combo).adjusted(-2.5, -2.5, 2.5, 2.5), 4, 4);
}

void BackgroundPainter::paintWindowEdge(QPainter& painter) {
  const QRectF window(QPointF(0, 0), layout::kClientSize);
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(palette::kEdgeDark, 1.0));
  painter.drawRect(window.adjusted(0.5, 0.5, -0.5, -0.5));
  painter.setPen(QPen(withAlpha(palette::kEdgeLight, 70), 1.0));
  painter.drawRect(window.adjusted(1.5, 1.5, -1.5, -1.5));
}

}  // namespace varnell::skin
