#pragma once

#include <QImage>
#include <QRect>

namespace varnell::skin {

// The sliders' channel and thumb bitmaps. A channel covers the whole control, so it carries
// the window background around its groove; a thumb keys its transparent colour from its
// top-left pixel, so its outline is drawn pixel by pixel, without antialiasing into the key.
// The channels come at the backdrop's density (device pixel ratio 2 for HiDPI screens); the
// thumbs only as ordinary pixels.
class SliderPainter {
 public:
  explicit SliderPainter(QImage backdrop);

  QImage positionChannel(bool selectedRange) const;  // 306, 307
  // The clip dialog's position slider over its own background (311): 314, 319.
  static QImage clipPositionChannel(const QImage& clipBackground, const QRect& slider,
                                    bool selectedRange);
  QImage volumeChannel(bool filled) const;  // 300, 299
  static QImage thumb(bool active);         // 308, 309

  static constexpr QRgb kThumbKey = 0xffff00ff;

 private:
  static QImage paintPositionGroove(QImage image, bool selectedRange);
  QImage backdropAt(const QRect& rect) const;

  QImage backdrop_;
};

}  // namespace varnell::skin
