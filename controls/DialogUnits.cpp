#include "controls/DialogUnits.h"

#include <cstdint>

namespace varnell {

namespace {

struct DialogBase {
  int horizontal;
  int vertical;
};

DialogBase BaseOf(TemplateFont font) {
  return font == TemplateFont::Shell9pt ? DialogBase{7, 14} : DialogBase{6, 13};
}

// units x base / divisor, halves away from zero, as the templates were rounded.
int Scale(int units, int base, int divisor) {
  const std::int64_t product = static_cast<std::int64_t>(units) * base;
  const std::int64_t magnitude = product < 0 ? -product : product;
  const std::int64_t rounded = (magnitude + divisor / 2) / divisor;
  return static_cast<int>(product < 0 ? -rounded : rounded);
}

}  // namespace

QRect DialogUnitsToPixels(int x, int y, int width, int height, TemplateFont font) {
  const DialogBase base = BaseOf(font);
  return QRect(Scale(x, base.horizontal, 4), Scale(y, base.vertical, 8),
               Scale(width, base.horizontal, 4), Scale(height, base.vertical, 8));
}

QSize DialogUnitsToPixels(QSize units, TemplateFont font) {
  const DialogBase base = BaseOf(font);
  return QSize(Scale(units.width(), base.horizontal, 4), Scale(units.height(), base.vertical, 8));
}

}  // namespace varnell
