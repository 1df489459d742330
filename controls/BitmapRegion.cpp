#include "controls/BitmapRegion.h"

#include <QRect>
#include <QRgb>

#include <cstddef>
#include <vector>

namespace varnell {

namespace {

bool IsOutside(QRgb pixel) { return qAlpha(pixel) == 0 || (pixel & 0x00FFFFFFu) == 0x00FFFFFFu; }

bool SameColumns(const QRect& a, const QRect& b) {
  return a.x() == b.x() && a.width() == b.width();
}

// rowRects are one-row rectangles ordered by row, then by x. Consecutive rows
// with the same runs are merged into one band, so a straight-sided stretch of
// a shape costs the window mask one rectangle instead of one per row.
QRegion RegionFromRows(const std::vector<QRect>& rowRects) {
  std::vector<QRect> bands;
  bands.reserve(rowRects.size());
  std::size_t bandBegin = 0;  // the last band is bands[bandBegin, bands.size())
  for (std::size_t rowBegin = 0; rowBegin < rowRects.size();) {
    const int y = rowRects[rowBegin].y();
    std::size_t rowEnd = rowBegin;
    while (rowEnd < rowRects.size() && rowRects[rowEnd].y() == y) {
      ++rowEnd;
    }
    const std::size_t runs = rowEnd - rowBegin;
    bool continuesBand = bands.size() > bandBegin && bands.size() - bandBegin == runs &&
                         bands[bandBegin].y() + bands[bandBegin].height() == y;
    for (std::size_t k = 0; continuesBand && k < runs; ++k) {
      continuesBand = SameColumns(bands[bandBegin + k], rowRects[rowBegin + k]);
    }
    if (continuesBand) {
      for (std::size_t k = bandBegin; k < bands.size(); ++k) {
        bands[k].setHeight(bands[k].height() + 1);
      }
    } else {
      bandBegin = bands.size();
      bands.insert(bands.end(), rowRects.begin() + static_cast<std::ptrdiff_t>(rowBegin),
                   rowRects.begin() + static_cast<std::ptrdiff_t>(rowEnd));
    }
    rowBegin = rowEnd;
  }
  QRegion region;
  region.setRects(bands.data(), static_cast<int>(bands.size()));
  return region;
}

}  // namespace

QRegion RegionFromBitmap(const QImage& image, int batchSize) {
  if (image.isNull()) {
    return {};
  }
  const QImage pixels = image.convertToFormat(QImage::Format_ARGB32);
  const std::size_t batchLimit =
      batchSize < 1 ? static_cast<std::size_t>(-1) : static_cast<std::size_t>(batchSize);
  const int width = pixels.width();

  QRegion result;
  std::vector<QRect> batch;
  for (int y = 0; y < pixels.height(); ++y) {
    const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
    int x = 0;
    while (x < width) {
      while (x < width && IsOutside(row[x])) {
        ++x;
      }
      if (x == width) {
        break;
      }
      const int runBegin = x;
      while (x < width && !IsOutside(row[x])) {
        ++x;
      }
      batch.emplace_back(runBegin, y, x - runBegin, 1);
      if (batch.size() == batchLimit) {
        result |= RegionFromRows(batch);
        batch.clear();
      }
    }
  }
  if (!batch.empty()) {
    result |= RegionFromRows(batch);
  }
  return result;
}

}  // namespace varnell
