// Template 102, the main window: every control with its id, kind, text and rectangle in dialog
// units (9 pt template), and the skin of each bitmap button.
#pragma once

#include <array>
#include <optional>

#include "controls/ControlTemplate.h"

namespace varnell::main_window {

enum ControlId : int {
  kAdd = 1000,
  kAddFolder = 1006,
  kClip = 1001,
  kHiddenRemove = 1002,
  kPlay = 1003,
  kConvert = 1004,
  kFindTarget = 1005,
  kBrowse = 1076,
  kOutputFolder = 1077,
  kHelp = 1090,
  kRemove = 1092,
  kClearAll = 1095,
  kClose = 1096,
  kMinimise = 1097,
  kAbout = 1098,
  kMerge = 1099,
  kFileInformation = 1102,
  kProfile = 1105,
  kTaskList = 1114,
  kSetting = 1115,
  kStop = 1135,
  kVolumeSymbol = 1137,
  kPreviewArea = 1139,
  kPositionSlider = 1140,
  kVolumeSlider = 1141,
};

inline constexpr int kWidthUnits = 503;
inline constexpr int kHeightUnits = 307;

// The buttons' "&" letters are their access keys, one button's each: Alt+A adds files, Alt+F a
// folder, Alt+C clips, Alt+V converts. The task list is the window's own control.
// The texts of the lists, sliders and preview, which show none, are their screen-reader names.
inline constexpr std::array<ControlTemplate, 25> kControls{{
    {kAdd, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "&Add"), 7, 13, 78, 34},
    {kClip, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "&Clip"), 82, 13, 76,
     34},
    {kHelp, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "&Help"), 157, 13, 76,
     34},
    {kAddFolder, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Add &Folder"),
     232, 13, 86, 34},
    {kHiddenRemove, ControlKind::PushButton, "&??", 234, 63, 50, 14, false},
    {kTaskList, ControlKind::Custom, QT_TRANSLATE_NOOP("MainWindowTemplate", "Task list"), 7, 56,
     302, 156},
    {kRemove, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Cut"), 27, 217, 40,
     32},
    {kClearAll, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Empty"), 95, 217,
     41, 32},
    {kMerge, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Merge"), 166, 217,
     40, 32},
    {kFileInformation, ControlKind::SkinButton,
     QT_TRANSLATE_NOOP("MainWindowTemplate", "File Infomation"), 236, 217, 39, 30},
    {kProfile, ControlKind::DropDownList, QT_TRANSLATE_NOOP("MainWindowTemplate", "Profile"), 47,
     257, 196, 30},
    {kOutputFolder, ControlKind::DropDownList,
     QT_TRANSLATE_NOOP("MainWindowTemplate", "Output folder"), 46, 277, 197, 73},
    {kSetting, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Setting"), 254,
     249, 66, 23},
    {kBrowse, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Browse"), 254, 274,
     63, 19},
    {kFindTarget, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Find Target"),
     321, 273, 61, 19},
    {kConvert, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Con&vert"), 382,
     245, 107, 46},
    {kPreviewArea, ControlKind::Frame, QT_TRANSLATE_NOOP("MainWindowTemplate", "Preview"), 317, 69,
     183, 131},
    {kPositionSlider, ControlKind::Slider, QT_TRANSLATE_NOOP("MainWindowTemplate", "Position"), 318,
     204, 180, 12},
    {kPlay, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Play"), 317, 217, 31,
     20},
    {kStop, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Stop"), 348, 216, 40,
     20},
    {kVolumeSymbol, ControlKind::SkinButton,
     QT_TRANSLATE_NOOP("MainWindowTemplate", "Check Volume"), 434, 219, 12, 14},
    {kVolumeSlider, ControlKind::Slider, QT_TRANSLATE_NOOP("MainWindowTemplate", "Volume"), 447,
     220, 46, 11},
    {kAbout, ControlKind::SkinButton, "00", 469, 0, 12, 16},
    {kMinimise, ControlKind::SkinButton, "Button_MIX", 481, 0, 12, 13},
    {kClose, ControlKind::SkinButton, QT_TRANSLATE_NOOP("MainWindowTemplate", "Close"), 492, 0, 10,
     14},
}};

struct ButtonLook {
  int hover, normal, pressed;
};

struct ButtonSkin {
  int id;
  int shape;  // 0: the button keeps its rectangle
  ButtonLook enabledLook;
  std::optional<ButtonLook> disabledLook;
  bool enabledAtStart;
};

constexpr ButtonLook Same(int bitmap) { return {bitmap, bitmap, bitmap}; }

// In the order the window skins them.
inline constexpr std::array<ButtonSkin, 18> kButtonSkins{{
    {kConvert, 186, {185, 186, 186}, Same(279), false},
    {kAdd, 177, {178, 177, 177}, std::nullopt, true},
    {kAddFolder, 183, {184, 183, 183}, std::nullopt, true},
    {kClip, 280, {226, 180, 180}, Same(280), false},
    {kHelp, 181, {182, 181, 181}, std::nullopt, true},
    {kRemove, 229, {188, 189, 189}, Same(229), false},
    {kClearAll, 269, {269, 191, 191}, Same(212), false},
    {kBrowse, 199, Same(199), std::nullopt, true},
    {kFindTarget, 204, Same(204), std::nullopt, true},
    {kMinimise, 207, {208, 207, 207}, std::nullopt, true},
    {kClose, 209, {210, 209, 209}, std::nullopt, true},
    {kAbout, 253, {253, 254, 254}, std::nullopt, true},
    {kSetting, 196, {196, 197, 197}, Same(200), false},
    {kMerge, 0, {286, 295, 295}, Same(296), false},
    {kPlay, 301, Same(302), Same(301), false},
    {kStop, 303, Same(304), Same(303), false},
    {kVolumeSymbol, 293, Same(293), std::nullopt, true},
    {kFileInformation, 261, {244, 243, 243}, Same(261), false},
}};

// The buttons that show the hand cursor, disabled or not.
inline constexpr std::array<int, 15> kHandCursorButtons{
    kAdd,   kAddFolder, kClip,       kHelp,    kRemove,   kClearAll, kMerge,  kFileInformation,
    kAbout, kBrowse,    kFindTarget, kConvert, kMinimise, kClose,    kSetting};

struct ToolTip {
  int id;
  const char* text;
};
inline constexpr std::array<ToolTip, 17> kToolTips{{
    {kAdd, QT_TRANSLATE_NOOP("MainWindowTemplate", "Add File")},
    {kAddFolder, QT_TRANSLATE_NOOP("MainWindowTemplate", "Add Folder")},
    {kClip, QT_TRANSLATE_NOOP("MainWindowTemplate", "Clip Video")},
    {kPlay, QT_TRANSLATE_NOOP("MainWindowTemplate", "Play")},
    {kConvert, QT_TRANSLATE_NOOP("MainWindowTemplate", "Start Converting")},
    {kFindTarget, QT_TRANSLATE_NOOP("MainWindowTemplate", "Open output files")},
    {kBrowse, QT_TRANSLATE_NOOP("MainWindowTemplate", "Set output files")},
    {kHelp, QT_TRANSLATE_NOOP("MainWindowTemplate", "Help")},
    {kRemove, QT_TRANSLATE_NOOP("MainWindowTemplate", "Remove")},
    {kClearAll, QT_TRANSLATE_NOOP("MainWindowTemplate", "Clear All")},
    {kClose, QT_TRANSLATE_NOOP("MainWindowTemplate", "Close")},
    {kMinimise, QT_TRANSLATE_NOOP("MainWindowTemplate", "Minimize")},
    {kAbout, QT_TRANSLATE_NOOP("MainWindowTemplate", "About")},
    {kMerge, QT_TRANSLATE_NOOP("MainWindowTemplate", " Merge into a file")},
    {kFileInformation, QT_TRANSLATE_NOOP("MainWindowTemplate", "File Information")},
    {kSetting, QT_TRANSLATE_NOOP("MainWindowTemplate", "Conversion Settings")},
    {kStop, QT_TRANSLATE_NOOP("MainWindowTemplate", "Stop")},
}};

}  // namespace varnell::main_window
