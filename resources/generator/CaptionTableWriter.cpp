#include "resources/generator/CaptionTableWriter.h"

#include <QFile>
#include <QTextStream>

namespace varnell::skin {

namespace {

CaptionInk inkOn(const ButtonDesign& design, int faceNumber) {
  FaceLook look = FaceLook::Normal;
  for (const FaceBitmap& face : design.faces)
    if (face.number == faceNumber) look = face.look;
  const FaceColours colours = FaceStyle::colours(design.family, look);
  return InkOf(colours.label, colours.labelShadow);
}

QString number(qreal value) { return QString::number(value, 'g', 8); }

QString hex(unsigned value) { return QStringLiteral("0x%1").arg(value, 8, 16, QLatin1Char('0')); }

QString style(const CaptionStyle& style) {
  const QRectF& box = style.box;
  return QStringLiteral("{{%1, %2, %3, %4}, %5, %6, %7, %8}")
      .arg(number(box.x()), number(box.y()), number(box.width()), number(box.height()))
      .arg(style.pixelSize)
      .arg(style.bold ? QStringLiteral("true") : QStringLiteral("false"))
      .arg(hex(unsigned(style.alignment)), number(style.shadowDrop));
}

QString ink(const CaptionInk& ink) {
  return QStringLiteral("{%1, %2}").arg(hex(ink.text), hex(ink.shadow));
}

// A C++ string literal of text; the captions are plain ASCII.
QString literal(const QString& text) {
  QString quoted = text;
  quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), "\\\"");
  return QLatin1Char('"') + quoted + QLatin1Char('"');
}

}  // namespace

ButtonCaption CaptionTableWriter::captionOf(const ButtonDesign& design) {
  const CaptionInk normal = inkOn(design, design.looks.normal);
  return {design.caption->style, normal, inkOn(design, design.looks.hover),
          design.looks.disabled != 0 ? inkOn(design, design.looks.disabled) : normal};
}

bool CaptionTableWriter::write(const QString& path, const std::vector<ButtonDesign>& buttons,
                               const std::vector<PictureCaption>& pictures) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
  QTextStream out(&file);
  out << "// Written by varnell-skin-generator; regenerate rather than edit "
         "(resources/README.md).\n"
         "// The words the skin's pictures leave room for, in English: the window draws them in\n"
         "// its language. Boxes are in the picture's logical pixels (a button's face, bitmap\n"
         "// 290 before the window stretches it, bitmap 249).\n"
         "#pragma once\n\n"
         "#include <QtGlobal>\n\n"
         "#include \"controls/SkinCaption.h\"\n\n"
         "namespace varnell::skin_captions {\n\n"
         "struct ButtonEntry {\n  int controlId;\n  const char* text;\n  ButtonCaption "
         "caption;\n};\n\n"
         "struct PictureEntry {\n  int bitmap;\n  const char* text;\n  CaptionStyle style;\n"
         "  CaptionInk ink;\n};\n\n"
         "// style: box, pixel size, bold, alignment, shadow drop; inks: normal, hover, disabled.\n"
         "inline constexpr ButtonEntry kButtons[] = {\n";
  for (const ButtonDesign& design : buttons) {
    if (!design.caption) continue;
    const ButtonCaption caption = captionOf(design);
    out << "    {" << design.controlId << ", QT_TRANSLATE_NOOP(\"SkinCaptions\", "
        << literal(design.caption->text) << "),\n     {" << style(caption.style) << ",\n      "
        << ink(caption.normal) << ", " << ink(caption.hover) << ", " << ink(caption.disabled)
        << "}},\n";
  }
  out << "};\n\ninline constexpr PictureEntry kPictures[] = {\n";
  for (const PictureCaption& picture : pictures) {
    out << "    {" << picture.bitmap << ", QT_TRANSLATE_NOOP(\"SkinCaptions\", "
        << literal(picture.text) << "),\n     " << style(picture.style) << ",\n     "
        << ink(picture.ink) << "},\n";
  }
  out << "};\n\n}  // namespace varnell::skin_captions\n";
  return out.status() == QTextStream::Ok;
}

}  // namespace varnell::skin
