// Written by varnell-skin-generator; regenerate rather than edit (resources/README.md).
// The words the skin's pictures leave room for, in English: the window draws them in
// its language. Boxes are in the picture's logical pixels (a button's face, bitmap
// 290 before the window stretches it, bitmap 249).
#pragma once

#include <QtGlobal>

#include "controls/SkinCaption.h"

namespace varnell::skin_captions {

struct ButtonEntry {
  int controlId;
  const char* text;
  ButtonCaption caption;
};

struct PictureEntry {
  int bitmap;
  const char* text;
  CaptionStyle style;
  CaptionInk ink;
};

// style: box, pixel size, bold, alignment, shadow drop; inks: normal, hover, disabled.
inline constexpr ButtonEntry kButtons[] = {
    {1000, QT_TRANSLATE_NOOP("SkinCaptions", "Add"),
     {{{49, 4, 67, 50}, 19, true, 0x00000084, 1.2},
      {0xfff6fbfc, 0x96052a33}, {0xfff6fbfc, 0x96052a33}, {0xfff6fbfc, 0x96052a33}}},
    {1001, QT_TRANSLATE_NOOP("SkinCaptions", "Clip"),
     {{{49, 4, 67, 50}, 19, true, 0x00000084, 1.2},
      {0xfff6fbfc, 0x96052a33}, {0xfff6fbfc, 0x96052a33}, {0xffb4bdc1, 0x00000000}}},
    {1090, QT_TRANSLATE_NOOP("SkinCaptions", "Help"),
     {{{50, 4, 67, 50}, 19, true, 0x00000084, 1.2},
      {0xfff6fbfc, 0x96052a33}, {0xfff6fbfc, 0x96052a33}, {0xfff6fbfc, 0x96052a33}}},
    {1006, QT_TRANSLATE_NOOP("SkinCaptions", "Folder"),
     {{{50, 4, 87, 50}, 19, true, 0x00000084, 1.2},
      {0xfff6fbfc, 0x96052a33}, {0xfff6fbfc, 0x96052a33}, {0xfff6fbfc, 0x96052a33}}},
    {1092, QT_TRANSLATE_NOOP("SkinCaptions", "Remove"),
     {{{3, 32, 64, 14}, 10, true, 0x00000084, 1.2},
      {0xff274652, 0x00000000}, {0xff183a45, 0x00000000}, {0xff737e83, 0x00000000}}},
    {1095, QT_TRANSLATE_NOOP("SkinCaptions", "Clear All"),
     {{{3, 32, 66, 14}, 10, true, 0x00000084, 1.2},
      {0xff274652, 0x00000000}, {0xff183a45, 0x00000000}, {0xff737e83, 0x00000000}}},
    {1099, QT_TRANSLATE_NOOP("SkinCaptions", "Merge"),
     {{{3, 32, 64, 14}, 10, true, 0x00000084, 1.2},
      {0xff274652, 0x00000000}, {0xff183a45, 0x00000000}, {0xff737e83, 0x00000000}}},
    {1102, QT_TRANSLATE_NOOP("SkinCaptions", "Info"),
     {{{3, 32, 62, 14}, 10, true, 0x00000084, 1.2},
      {0xff274652, 0x00000000}, {0xff183a45, 0x00000000}, {0xff737e83, 0x00000000}}},
    {1115, QT_TRANSLATE_NOOP("SkinCaptions", "Settings"),
     {{{42, 2.5, 62.5, 34}, 13, true, 0x00000081, 1.2},
      {0xff274652, 0x00000000}, {0xff183a45, 0x00000000}, {0xff737e83, 0x00000000}}},
    {1076, QT_TRANSLATE_NOOP("SkinCaptions", "Browse"),
     {{{42, 2.5, 58.25, 27}, 12, true, 0x00000081, 1.2},
      {0xff274652, 0x00000000}, {0xff274652, 0x00000000}, {0xff274652, 0x00000000}}},
    {1005, QT_TRANSLATE_NOOP("SkinCaptions", "Find Target"),
     {{{38, 4.5, 59.25, 27}, 12, true, 0x00000081, 1.2},
      {0xff274652, 0x00000000}, {0xff274652, 0x00000000}, {0xff274652, 0x00000000}}},
    {1004, QT_TRANSLATE_NOOP("SkinCaptions", "Convert"),
     {{{62, 9, 107, 70}, 25, true, 0x00000084, 1.2},
      {0xfffffbf5, 0x966e2500}, {0xfffffbf5, 0x966e2500}, {0xffb4bdc1, 0x00000000}}},
};

inline constexpr PictureEntry kPictures[] = {
    {290, QT_TRANSLATE_NOOP("SkinCaptions", "batch audio converter"),
     {{626, 61.340782, 250, 16.089385}, 12, false, 0x00000081, 1},
     {0xff86a9b4, 0x6e000000}},
    {290, QT_TRANSLATE_NOOP("SkinCaptions", "Add files or drop them here"),
     {{12.5, 245.86592, 528, 28.156425}, 20, true, 0x00000084, 1},
     {0xff274652, 0x00000000}},
    {290, QT_TRANSLATE_NOOP("SkinCaptions", "Click Add, or drag .m4a and .aac files from your file manager onto this area"),
     {{12.5, 276.03352, 528, 18.100559}, 12, false, 0x00000084, 1},
     {0xff5b7883, 0x00000000}},
    {290, QT_TRANSLATE_NOOP("SkinCaptions", "PREVIEW"),
     {{556, 100.55866, 200, 16.089385}, 11, true, 0x00000081, 1},
     {0xff86a9b4, 0x6e000000}},
    {290, QT_TRANSLATE_NOOP("SkinCaptions", "Profile:"),
     {{23, 453.51955, 58, 20.111732}, 12, true, 0x00000081, 1},
     {0xffddeaee, 0x6e000000}},
    {290, QT_TRANSLATE_NOOP("SkinCaptions", "Output:"),
     {{23, 488.71508, 58, 20.111732}, 12, true, 0x00000081, 1},
     {0xffddeaee, 0x6e000000}},
    {249, QT_TRANSLATE_NOOP("SkinCaptions", "batch audio converter"),
     {{86, 50, 220, 18}, 14, false, 0x00000081, 1},
     {0xff86a9b4, 0x6e000000}},
};

}  // namespace varnell::skin_captions
