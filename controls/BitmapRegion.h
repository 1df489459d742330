#pragma once

#include <QImage>
#include <QRegion>

namespace varnell {

// The shape of a skinned control: every pixel that is not pure white
// (r = g = b = 255, whatever its alpha) is inside; fully transparent pixels
// count as white. The picture is scanned row by row, each run of inside pixels
// becoming a one-row rectangle; the rectangles are turned into regions and
// united in batches of batchSize runs (values below 1 mean one batch), which
// bounds the size of each intermediate region for large pictures. The result
// does not depend on batchSize. An all-white picture gives an empty region.
QRegion RegionFromBitmap(const QImage& image, int batchSize = 2000);

}  // namespace varnell
