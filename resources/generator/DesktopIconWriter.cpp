#include "resources/generator/DesktopIconWriter.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>

#include <cstdio>

#include "resources/generator/SmallBitmapsPainter.h"

namespace varnell::skin {

namespace {

bool complain(const QString& path) {
  std::fprintf(stderr, "varnell-skin-generator: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

bool DesktopIconWriter::writeAll(const QString& folder) {
  bool ok = writeSvg(folder + QStringLiteral("/varnell.svg"));
  for (int side : kPixelSizes)
    ok = writePng(folder + QStringLiteral("/varnell-%1.png").arg(side), side) && ok;
  return ok;
}

// Each size is drawn at its own scale rather than shrunk from the large one, so the small
// icons keep crisp edges.
bool DesktopIconWriter::writePng(const QString& path, int side) {
  QImage icon(side, side, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  {
    QPainter painter(&icon);
    const qreal scale = qreal(side) / SmallBitmapsPainter::kApplicationIconSide;
    painter.scale(scale, scale);
    SmallBitmapsPainter::paintApplicationIcon(painter);
  }
  return icon.save(path, "PNG") || complain(path);
}

// Rendered into memory first so that a failed drawing never leaves half a file behind.
bool DesktopIconWriter::writeSvg(const QString& path) {
  QBuffer buffer;
  const int side = SmallBitmapsPainter::kApplicationIconSide;
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(QSize(side, side));
  generator.setViewBox(QRect(0, 0, side, side));
  generator.setTitle(QStringLiteral("Varnell"));
  generator.setDescription(QStringLiteral("Varnell application icon"));
  {
    QPainter painter;
    if (!painter.begin(&generator)) return complain(path);
    SmallBitmapsPainter::paintApplicationIcon(painter);
    if (!painter.end()) return complain(path);
  }
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return complain(path);
  if (file.write(buffer.data()) != buffer.data().size()) return complain(path);
  return true;
}

}  // namespace varnell::skin
