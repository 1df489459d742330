#include "resources/generator/SkinPreview.h"

#include <QPainter>

#include "resources/generator/CaptionTableWriter.h"
#include "resources/generator/FaceContentKit.h"
#include "resources/generator/IconPaths.h"
#include "resources/generator/WindowLayout.h"

namespace varnell::skin {

SkinPreview::SkinPreview(QImage backdrop, const std::map<int, QImage>& bitmaps,
                         const std::vector<ButtonDesign>& buttons,
                         const std::vector<PictureCaption>& backgroundCaptions)
    : backdrop_(backdrop.convertToFormat(QImage::Format_RGB32)),
      bitmaps_(bitmaps),
      buttons_(buttons),
      backgroundCaptions_(backgroundCaptions) {}

QImage SkinPreview::compose(FaceLook look) const {
  QImage window = backdrop_;
  {
    // The captions' boxes are in the picture's pixels; the backdrop is the stretched picture.
    QPainter painter(&window);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(1.0, qreal(layout::kClientSize.height()) / layout::kBackgroundSize.height());
    for (const PictureCaption& caption : backgroundCaptions_)
      PaintCaption(painter, caption.style, FitCaption(caption.style, caption.text), caption.ink);
  }
  for (const ButtonDesign& design : buttons_) placeButton(window, design, look);
  placeSlider(window, layout::kPositionSlider, 307, 0.35);
  placeSlider(window, layout::kVolumeSlider, 299, 0.3);
  placeComboMocks(window);
  return window;
}

void SkinPreview::placeButton(QImage& window, const ButtonDesign& design, FaceLook look) const {
  int number = design.looks.normal;
  if (look == FaceLook::Hover) number = design.looks.hover;
  if (look == FaceLook::Disabled && design.looks.disabled != 0) number = design.looks.disabled;
  const QImage& face = bitmaps_.at(number);
  const QImage* shape = design.looks.shape != 0 ? &bitmaps_.at(design.looks.shape) : nullptr;
  for (int y = 0; y < face.height(); ++y) {
    for (int x = 0; x < face.width(); ++x) {
      if (shape && (shape->pixel(x, y) | 0xff000000) == 0xffffffff) continue;
      window.setPixel(design.rect.x() + x, design.rect.y() + y, face.pixel(x, y));
    }
  }
  if (!design.caption) return;
  const ButtonCaption caption = CaptionTableWriter::captionOf(design);
  const CaptionInk& ink = look == FaceLook::Hover      ? caption.hover
                          : look == FaceLook::Disabled ? caption.disabled
                                                       : caption.normal;
  QPainter painter(&window);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(design.rect.topLeft());
  PaintCaption(painter, caption.style, FitCaption(caption.style, design.caption->text), ink);
}

void SkinPreview::placeSlider(QImage& window, const QRect& rect, int channel,
                              qreal fraction) const {
  QPainter painter(&window);
  painter.drawImage(rect.topLeft(), bitmaps_.at(channel));
  painter.end();
  const QImage& thumb = bitmaps_.at(308);
  const QRgb key = thumb.pixel(0, 0);
  const int travel = rect.width() - 2 - thumb.width() - 2;
  const int centre = 2 + int(fraction * travel) + thumb.width() / 2;
  const QPoint origin(rect.x() + centre - thumb.width() / 2, rect.y() + layout::kThumbTopMargin);
  for (int y = 0; y < thumb.height(); ++y)
    for (int x = 0; x < thumb.width(); ++x)
      if (thumb.pixel(x, y) != key && origin.y() + y < rect.bottom() + 1)
        window.setPixel(origin + QPoint(x, y), thumb.pixel(x, y));
}

void SkinPreview::placeComboMocks(QImage& window) {
  QPainter painter(&window);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(FaceContentKit::font(12, false));
  const std::pair<QRect, QString> combos[] = {
      {layout::kProfileCombo, QStringLiteral("MP3-MPEG Layer-3 Audio(*.mp3)")},
      {layout::kOutputCombo, QStringLiteral("/home/anna/Varnell/OutPut")},
  };
  for (const auto& [rect, text] : combos) {
    painter.setPen(QColor(0x7a, 0x8a, 0x90));
    painter.setBrush(QColor(0xfd, 0xfd, 0xfd));
    painter.drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(rect).adjusted(6, 0, -24, 0), Qt::AlignVCenter | Qt::AlignLeft, text);
    painter.drawText(QRectF(rect.right() - 20, rect.top(), 18, rect.height()), Qt::AlignCenter,
                     QStringLiteral("\u25be"));
  }
}

QImage SkinPreview::iconSheet() {
  const QPainterPath glyphs[] = {
      IconPaths::plus(),   IconPaths::scissors(),     IconPaths::questionMark(), IconPaths::trash(),
      IconPaths::broom(),  IconPaths::mergeArrows(),  IconPaths::info(),         IconPaths::gear(),
      IconPaths::folder(), IconPaths::folderSearch(), IconPaths::convertCycle(), IconPaths::play(),
      IconPaths::pause(),  IconPaths::stop(),         IconPaths::speaker(),      IconPaths::minus(),
      IconPaths::cross(),  IconPaths::dropTray(),     IconPaths::waveBars(),     IconPaths::note(),
  };
  const int count = int(std::size(glyphs));
  QImage sheet(count * 72, 120, QImage::Format_RGB32);
  sheet.fill(QColor(0xf0, 0xf4, 0xf5));
  QPainter painter(&sheet);
  painter.setRenderHint(QPainter::Antialiasing);
  for (int i = 0; i < count; ++i) {
    painter.fillPath(IconPaths::fitted(glyphs[i], QRectF(i * 72 + 12, 8, 48, 48)),
                     QColor(0x17, 0x3c, 0x48));
    painter.fillPath(IconPaths::fitted(glyphs[i], QRectF(i * 72 + 24, 76, 24, 24)),
                     QColor(0x17, 0x3c, 0x48));
  }
  return sheet;
}

}  // namespace varnell::skin
