// varnell-skin-generator: draws every bitmap of the main window's skin and writes them as
// resources/bitmaps/<number>.png together with resources/varnell.qrc, the table of the words the
// pictures leave room for (app/SkinCaptions.h, drawn by the window in its language), and the
// application icon for the desktop's icon theme into packaging/icons/. The pictures of the windows'
// surfaces (backgrounds, button faces, slider channels, the about banner) are drawn a second time
// at twice the pixels, as <number>@2x.png, for HiDPI screens; the small keyed pictures (thumbs,
// header check boxes), the cursor and the 256 px icon exist once. The build compiles and installs
// the committed files; run this only to change the artwork (see README.md).
//
//   varnell-skin-generator [--preview] [--icons ICON_FOLDER] [BITMAP_FOLDER]
//
// --preview also writes mocks of the window to /tmp/skin-preview.png (normal faces),
// /tmp/skin-preview-hover.png, /tmp/skin-preview-disabled.png and a glyph sheet
// /tmp/skin-icons.png.

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QTextStream>

#include <cstdio>
#include <map>
#include <vector>

#include "resources/generator/AboutPicturePainter.h"
#include "resources/generator/BackgroundPainter.h"
#include "resources/generator/ButtonCatalogue.h"
#include "resources/generator/CaptionTableWriter.h"
#include "resources/generator/ClipDialogLayout.h"
#include "resources/generator/ClipDialogPainter.h"
#include "resources/generator/DesktopIconWriter.h"
#include "resources/generator/FacePainter.h"
#include "resources/generator/SkinPreview.h"
#include "resources/generator/SliderPainter.h"
#include "resources/generator/SmallBitmapsPainter.h"
#include "resources/generator/WindowLayout.h"

namespace {

using namespace varnell::skin;

// The pictures at the background's density: everything at 1, the surfaces alone at 2.
std::map<int, QImage> drawAll(const QImage& background, const QImage& backdrop,
                              const std::vector<ButtonDesign>& buttons) {
  const qreal scale = background.devicePixelRatio();
  std::map<int, QImage> bitmaps;
  bitmaps[290] = background;
  const FacePainter faces(backdrop);
  for (const ButtonDesign& design : buttons)
    for (const FaceBitmap& face : design.faces) bitmaps[face.number] = faces.paint(design, face);

  const SliderPainter sliders(backdrop);
  bitmaps[306] = sliders.positionChannel(false);
  bitmaps[307] = sliders.positionChannel(true);
  bitmaps[300] = sliders.volumeChannel(false);
  bitmaps[299] = sliders.volumeChannel(true);

  const QImage clipBackground = ClipDialogPainter::paint(scale);
  bitmaps[311] = clipBackground;
  bitmaps[314] =
      SliderPainter::clipPositionChannel(clipBackground, clip_layout::kPositionSlider, false);
  bitmaps[319] =
      SliderPainter::clipPositionChannel(clipBackground, clip_layout::kPositionSlider, true);
  bitmaps[249] = AboutPicturePainter::paint(scale);
  if (scale != 1.0) return bitmaps;

  bitmaps[308] = SliderPainter::thumb(false);
  bitmaps[309] = SliderPainter::thumb(true);
  bitmaps[292] = SmallBitmapsPainter::headerCheckBoxes();
  bitmaps[266] = SmallBitmapsPainter::applicationIcon();
  bitmaps[262] = SmallBitmapsPainter::handCursor();
  return bitmaps;
}

// "290.png", or "290@2x.png" for the HiDPI drawing.
QString fileName(int number, qreal scale) {
  return scale == 1.0 ? QStringLiteral("%1.png").arg(number)
                      : QStringLiteral("%1@%2x.png").arg(number).arg(int(scale));
}

struct Drawing {
  qreal scale;
  std::map<int, QImage> bitmaps;
};

bool writeQrc(const QString& path, const std::vector<Drawing>& drawings) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  QTextStream out(&file);
  out << "<!-- Written by varnell-skin-generator; regenerate rather than edit. -->\n";
  out << "<RCC>\n    <qresource prefix=\"/bitmaps\">\n";
  for (const Drawing& drawing : drawings) {
    for (const auto& [number, image] : drawing.bitmaps) {
      const QString name = fileName(number, drawing.scale);
      out << "        <file alias=\"" << name << "\">bitmaps/" << name << "</file>\n";
    }
  }
  out << "    </qresource>\n</RCC>\n";
  return out.status() == QTextStream::Ok;
}

bool save(const QImage& image, const QString& path) {
  if (image.save(path, "PNG")) return true;
  std::fprintf(stderr, "varnell-skin-generator: cannot write %s\n", qPrintable(path));
  return false;
}

}  // namespace

int main(int argc, char* argv[]) {
  QGuiApplication application(argc, argv);  // fonts need the GUI layer, not a window

  bool preview = false;
  QString folder = QStringLiteral(VARNELL_RESOURCES_SOURCE_DIR "/bitmaps");
  QString iconFolder = QStringLiteral(VARNELL_ICONS_SOURCE_DIR);
  const QStringList arguments = application.arguments().mid(1);
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& argument = arguments[i];
    if (argument == QLatin1String("--preview"))
      preview = true;
    else if (argument == QLatin1String("--icons") && i + 1 < arguments.size())
      iconFolder = arguments[++i];
    else if (argument.startsWith(QLatin1String("-"))) {
      std::fprintf(
          stderr,
          "usage: varnell-skin-generator [--preview] [--icons ICON_FOLDER] [BITMAP_FOLDER]\n");
      return 2;
    } else
      folder = argument;
  }
  for (const QString& needed : {folder, iconFolder}) {
    if (!QDir().mkpath(needed)) {
      std::fprintf(stderr, "varnell-skin-generator: cannot create %s\n", qPrintable(needed));
      return 1;
    }
  }

  const std::vector<ButtonDesign> buttons = ButtonCatalogue::mainWindow();
  std::vector<Drawing> drawings;
  QImage backdrop;  // of the ordinary drawing, for the mocks
  for (const qreal scale : {1.0, 2.0}) {
    const QImage background = BackgroundPainter::paint(scale);
    QImage stretched = background.scaled(layout::kClientSize * scale, Qt::IgnoreAspectRatio,
                                         Qt::SmoothTransformation);
    stretched.setDevicePixelRatio(scale);
    if (scale == 1.0) backdrop = stretched;
    drawings.push_back({scale, drawAll(background, stretched, buttons)});
  }
  const std::map<int, QImage>& bitmaps = drawings.front().bitmaps;

  bool ok = true;
  for (const Drawing& drawing : drawings)
    for (const auto& [number, image] : drawing.bitmaps)
      ok = save(image, folder + QLatin1Char('/') + fileName(number, drawing.scale)) && ok;
  const QString qrc = QDir(folder).absoluteFilePath(QStringLiteral("../varnell.qrc"));
  if (!writeQrc(qrc, drawings)) {
    std::fprintf(stderr, "varnell-skin-generator: cannot write %s\n", qPrintable(qrc));
    ok = false;
  }
  ok = DesktopIconWriter::writeAll(iconFolder) && ok;
  const std::vector<PictureCaption> backgroundCaptions = BackgroundPainter::captions();
  std::vector<PictureCaption> pictureCaptions = backgroundCaptions;
  for (const PictureCaption& caption : AboutPicturePainter::captions())
    pictureCaptions.push_back(caption);
  if (!CaptionTableWriter::write(QStringLiteral(VARNELL_CAPTIONS_HEADER), buttons,
                                 pictureCaptions)) {
    std::fprintf(stderr, "varnell-skin-generator: cannot write %s\n", VARNELL_CAPTIONS_HEADER);
    ok = false;
  }

  if (preview) {
    const SkinPreview mock(backdrop, bitmaps, buttons, backgroundCaptions);
    ok = save(mock.compose(FaceLook::Normal), QStringLiteral("/tmp/skin-preview.png")) && ok;
    ok = save(mock.compose(FaceLook::Hover), QStringLiteral("/tmp/skin-preview-hover.png")) && ok;
    ok = save(mock.compose(FaceLook::Disabled), QStringLiteral("/tmp/skin-preview-disabled.png")) &&
         ok;
    ok = save(SkinPreview::iconSheet(), QStringLiteral("/tmp/skin-icons.png")) && ok;
  }
  std::printf("varnell-skin-generator: %zu bitmaps (%zu also at 2x) in %s\n", bitmaps.size(),
              drawings.back().bitmaps.size(), qPrintable(QDir(folder).absolutePath()));
  return ok ? 0 : 1;
}
