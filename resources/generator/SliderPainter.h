#pragma once

#include <QImage>
#include <QRect>

namespace varnell::skin {

// The sliders' channel and thumb bitmaps. A channel covers the whole control, so it carries
// the window background around its groove; a thumb keys its transparent colour from its
// top-left pixel, so its outline is drawn pixel by pixel, without antialiasing into the key.
class SliderPainter {
public:
    explicit SliderPainter(QImage backdrop);

    QImage positionChannel(bool selectedRange) const;  // 306, 307
    QImage volumeChannel(bool filled) const;           // 300, 299
    static QImage thumb(bool active);                  // 308, 309

    static constexpr QRgb kThumbKey = 0xffff00ff;

private:
    QImage backdropAt(const QRect& rect) const;

    QImage backdrop_;
};

}  // namespace varnell::skin
