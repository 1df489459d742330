#pragma once

#include <QImage>

#include "resources/generator/ButtonDesign.h"

namespace varnell::skin {

// Renders button faces the way the window's shaped buttons need them: every pixel outside
// the silhouette exactly white (the window cuts those away), every pixel inside never
// white, and the antialiased rim blended with the background the button sits on, so the
// edge is smooth without a light halo.
//
// A backdrop with a device pixel ratio of 2 gives the faces for HiDPI screens at twice the
// pixels. The window cuts those by the shape of the ordinary picture, so they are not made
// white outside: what lies outside their own silhouette but inside that cut shows the
// background, as it would without the button.
class FacePainter {
 public:
  // backdrop: the background as the window shows it (stretched to the client size).
  explicit FacePainter(QImage backdrop);

  QImage paint(const ButtonDesign& design, const FaceBitmap& face) const;

  // Pixels whose silhouette coverage is below this (of 255) are outside the shape.
  static constexpr int kInsideCoverage = 64;

 private:
  QImage backdrop_;
};

}  // namespace varnell::skin
