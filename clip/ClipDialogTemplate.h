// Template 318, the clip dialog: every control with its id, kind, text and rectangle in dialog
// units (8 pt template).
#pragma once

#include <array>

namespace varnell::clip_dialog {

enum ControlId : int {
  kNoId = 0, kSetBegin = 3, kSetEnd = 4, kPlay = 1000, kStop = 1001, kVolume = 1002, kOk = 1004,
  kCancel = 1005, kBeginLabel = 1023, kEndLabel = 1024, kCutLabel = 1025, kReset = 1109,
  kPositionSlider = 1142, kVolumeSlider = 1143, kPreviewArea = 1144,
};

enum class ControlKind { PreviewArea, Slider, SkinButton, PushButton, TimeLabel, GroupBox };

struct ControlTemplate {
  int id;
  ControlKind kind;
  const char* text;
  int x, y, width, height;  // dialog units
  bool visible;
};

inline constexpr int kWidthUnits = 286;
inline constexpr int kHeightUnits = 273;

// In stacking order: each group box lies under the labels and buttons placed after it.
inline constexpr std::array<ControlTemplate, 18> kControls{{
    {kPreviewArea, ControlKind::PreviewArea, "", 3, 9, 278, 149, true},
    {kPositionSlider, ControlKind::Slider, "", 3, 162, 278, 13, true},
    {kPlay, ControlKind::SkinButton, "&Play", 6, 179, 36, 22, true},
    {kStop, ControlKind::SkinButton, "&Stop", 42, 179, 47, 22, true},
    {kVolume, ControlKind::SkinButton, "&Volume", 204, 181, 14, 16, false},
    {kVolumeSlider, ControlKind::Slider, "", 220, 182, 54, 12, false},
    {kNoId, ControlKind::GroupBox, "Start time", 6, 203, 88, 25, true},
    {kBeginLabel, ControlKind::TimeLabel, "00:00:00", 14, 214, 72, 10, true},
    {kNoId, ControlKind::GroupBox, "End time", 99, 203, 88, 25, true},
    {kEndLabel, ControlKind::TimeLabel, "00:00:00", 107, 214, 72, 10, true},
    {kNoId, ControlKind::GroupBox, "Cut time", 192, 203, 88, 25, true},
    {kCutLabel, ControlKind::TimeLabel, "00:00:00", 200, 214, 72, 10, true},
    {kNoId, ControlKind::GroupBox, "", 6, 231, 181, 37, true},
    {kSetBegin, ControlKind::PushButton, "&Set Begin Time", 12, 242, 62, 16, true},
    {kSetEnd, ControlKind::PushButton, "&Set End Time", 78, 242, 62, 16, true},
    {kReset, ControlKind::PushButton, "&Reset", 144, 242, 37, 16, true},
    {kOk, ControlKind::PushButton, "&OK", 192, 242, 42, 16, true},
    {kCancel, ControlKind::PushButton, "&Cancel", 238, 242, 42, 16, true},
}};

}  // namespace varnell::clip_dialog
