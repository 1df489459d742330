#pragma once

#include <QImage>
#include <map>
#include <vector>

#include "resources/generator/ButtonDesign.h"
#include "resources/generator/PictureCaption.h"

namespace varnell::skin {

// A mock of the main window built the way the window builds itself: the stretched
// background, each button's face cut by the non-white pixels of its shape bitmap, the
// sliders keyed by their thumbs' top-left colour, the English captions drawn over them as the
// window draws its translated ones. For looking at, not for shipping.
class SkinPreview {
 public:
  SkinPreview(QImage backdrop, const std::map<int, QImage>& bitmaps,
              const std::vector<ButtonDesign>& buttons,
              const std::vector<PictureCaption>& backgroundCaptions);

  QImage compose(FaceLook look) const;
  static QImage iconSheet();

 private:
  void placeButton(QImage& window, const ButtonDesign& design, FaceLook look) const;
  void placeSlider(QImage& window, const QRect& rect, int channel, qreal fraction) const;
  static void placeComboMocks(QImage& window);

  QImage backdrop_;
  const std::map<int, QImage>& bitmaps_;
  const std::vector<ButtonDesign>& buttons_;
  const std::vector<PictureCaption>& backgroundCaptions_;
};

}  // namespace varnell::skin
