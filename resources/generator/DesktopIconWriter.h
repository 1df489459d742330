#pragma once

#include <QString>

namespace varnell::skin {

// Writes the application icon for the desktop's icon theme from the same drawing as the
// window's icon (bitmap 266): FOLDER/varnell.svg and FOLDER/varnell-<size>.png for each of
// kPixelSizes. The install rules place them under share/icons/hicolor/.
class DesktopIconWriter {
 public:
  static constexpr int kPixelSizes[] = {48, 128, 256};

  // False (after naming the file on stderr) when a file cannot be written.
  static bool writeAll(const QString& folder);

 private:
  static bool writePng(const QString& path, int side);
  static bool writeSvg(const QString& path);
};

}  // namespace varnell::skin
