#include "resources/generator/FaceStyle.h"

#include "resources/generator/SkinPalette.h"

namespace varnell::skin {

namespace {

// Disabled faces of every family share one flat grey, so "not now" reads the same
// everywhere in the window.
FaceColours greyed(bool onLightBody) {
  FaceColours c;
  c.bodyTop = onLightBody ? QColor(0xa9, 0xb3, 0xb7) : QColor(0x7f, 0x8b, 0x90);
  c.bodyBottom = onLightBody ? QColor(0x90, 0x9b, 0xa0) : QColor(0x62, 0x6d, 0x72);
  c.rim = QColor(0x4a, 0x55, 0x5a);
  c.glyph = onLightBody ? QColor(0x73, 0x7e, 0x83) : QColor(0xb4, 0xbd, 0xc1);
  c.label = c.glyph;
  c.sheenAlpha = 18;
  return c;
}

FaceColours primary(FaceLook look) {
  FaceColours c;
  switch (look) {
    case FaceLook::Normal:
      c = {QColor(0x35, 0xa6, 0xb6),      QColor(0x17, 0x68, 0x78),
           QColor(0x0a, 0x3f, 0x4a),      palette::kNearWhite,
           palette::kNearWhite,           QColor(),
           QColor(0x05, 0x2a, 0x33, 150), 55};
      break;
    case FaceLook::Hover:
      c = {QColor(0x5c, 0xd3, 0xe0),      QColor(0x21, 0x8f, 0xa0),
           QColor(0x0c, 0x4e, 0x5a),      palette::kNearWhite,
           palette::kNearWhite,           QColor(0xd8, 0xfb, 0xff, 200),
           QColor(0x05, 0x2a, 0x33, 150), 70};
      break;
    case FaceLook::Disabled:
      c = greyed(false);
      break;
  }
  return c;
}

FaceColours secondary(FaceLook look) {
  FaceColours c;
  switch (look) {
    case FaceLook::Normal:
      c = {QColor(0xf1, 0xf6, 0xf8),
           QColor(0xc6, 0xd6, 0xdc),
           QColor(0x51, 0x72, 0x7e),
           palette::kTealInk,
           palette::kPanelInk,
           QColor(),
           QColor(),
           60};
      break;
    case FaceLook::Hover:
      c = {QColor(0xfc, 0xfe, 0xfe),
           QColor(0xd4, 0xef, 0xf4),
           QColor(0x1f, 0x8f, 0xa0),
           QColor(0x0b, 0x93, 0xa8),
           QColor(0x18, 0x3a, 0x45),
           QColor(0x3c, 0xc6, 0xd6, 230),
           QColor(),
           60};
      break;
    case FaceLook::Disabled:
      c = greyed(true);
      break;
  }
  return c;
}

FaceColours accent(FaceLook look) {
  FaceColours c;
  switch (look) {
    case FaceLook::Normal:
      c = {palette::kAmber,
           palette::kOrange,
           QColor(0x8a, 0x36, 0x08),
           QColor(0xff, 0xfb, 0xf5),
           QColor(0xff, 0xfb, 0xf5),
           QColor(),
           QColor(0x6e, 0x25, 0x00, 150),
           60};
      break;
    case FaceLook::Hover:
      c = {QColor(0xff, 0xcd, 0x72),      QColor(0xf6, 0x80, 0x2b),
           QColor(0x9c, 0x42, 0x0c),      QColor(0xff, 0xfb, 0xf5),
           QColor(0xff, 0xfb, 0xf5),      QColor(0xff, 0xf2, 0xc9, 220),
           QColor(0x6e, 0x25, 0x00, 150), 80};
      break;
    case FaceLook::Disabled:
      c = greyed(false);
      break;
  }
  return c;
}

FaceColours chrome(FaceLook look, bool closes) {
  FaceColours c = {QColor(0x28, 0x47, 0x55),
                   QColor(0x18, 0x2f, 0x3a),
                   QColor(0x07, 0x12, 0x17),
                   QColor(0xd2, 0xe5, 0xea),
                   QColor(0xd2, 0xe5, 0xea),
                   QColor(),
                   QColor(),
                   30};
  if (look == FaceLook::Hover) {
    c.bodyTop = closes ? QColor(0xee, 0x6a, 0x55) : QColor(0x3f, 0x6d, 0x80);
    c.bodyBottom = closes ? QColor(0xbf, 0x3b, 0x2b) : QColor(0x27, 0x4d, 0x5e);
    c.glyph = palette::kNearWhite;
    c.label = palette::kNearWhite;
    c.sheenAlpha = 45;
  }
  if (look == FaceLook::Disabled) c = greyed(false);
  return c;
}

FaceColours bareGlyph(FaceLook look) {
  FaceColours c;
  c.glyph = look == FaceLook::Disabled ? QColor(0x6d, 0x7b, 0x81) : QColor(0x8c, 0xd0, 0xda);
  c.label = c.glyph;
  return c;
}

}  // namespace

FaceColours FaceStyle::colours(FaceFamily family, FaceLook look) {
  switch (family) {
    case FaceFamily::Primary:
      return primary(look);
    case FaceFamily::Secondary:
      return secondary(look);
    case FaceFamily::Accent:
      return accent(look);
    case FaceFamily::Chrome:
      return chrome(look, false);
    case FaceFamily::ChromeClose:
      return chrome(look, true);
    case FaceFamily::BareGlyph:
      return bareGlyph(look);
  }
  return primary(look);
}

}  // namespace varnell::skin
