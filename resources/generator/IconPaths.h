#pragma once

#include <QPainterPath>
#include <QRectF>

namespace varnell::skin {

// Our own glyphs, each designed on a 24 x 24 grid and returned as a filled outline (line
// work is already stroked), so a face can fill it with one brush at any size.
class IconPaths {
 public:
  static QPainterPath fitted(const QPainterPath& glyph, const QRectF& target);

  static QPainterPath plus();
  static QPainterPath scissors();
  static QPainterPath questionMark();
  static QPainterPath trash();
  static QPainterPath broom();
  static QPainterPath mergeArrows();
  static QPainterPath info();
  static QPainterPath gear();
  static QPainterPath folder();
  static QPainterPath folderPlus();
  static QPainterPath folderSearch();
  static QPainterPath convertCycle();
  static QPainterPath play();
  static QPainterPath pause();
  static QPainterPath stop();
  static QPainterPath speaker();
  static QPainterPath minus();
  static QPainterPath cross();
  static QPainterPath dropTray();
  static QPainterPath waveBars();
  static QPainterPath note();
};

}  // namespace varnell::skin
