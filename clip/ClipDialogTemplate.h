// Template 318, the clip dialog: every control with its id, kind, text and rectangle in dialog
// units (8 pt template).
#pragma once

#include <array>

#include "controls/ControlTemplate.h"

namespace varnell::clip_dialog {

enum ControlId : int {
  kNoId = 0,
  kSetBegin = 3,
  kSetEnd = 4,
  kPlay = 1000,
  kStop = 1001,
  kVolume = 1002,
  kOk = 1004,
  kCancel = 1005,
  kBeginLabel = 1023,
  kEndLabel = 1024,
  kCutLabel = 1025,
  kReset = 1109,
  kPositionSlider = 1142,
  kVolumeSlider = 1143,
  kPreviewArea = 1144,
};

inline constexpr int kWidthUnits = 286;
inline constexpr int kHeightUnits = 273;

// In stacking order: each group box lies under the labels and buttons placed after it. The
// preview area is the dialog's own control; the time labels show their text on the background.
// Each access key is one button's (Stop has S, so the two Set buttons take B and E); the texts
// of the controls that show none are their names for screen readers.
inline constexpr std::array<ControlTemplate, 18> kControls{{
    {kPreviewArea, ControlKind::Custom, QT_TRANSLATE_NOOP("ClipDialogTemplate", "Preview"), 3, 9,
     278, 149},
    {kPositionSlider, ControlKind::Slider, QT_TRANSLATE_NOOP("ClipDialogTemplate", "Position"), 3,
     162, 278, 13},
    {kPlay, ControlKind::SkinButton, QT_TRANSLATE_NOOP("ClipDialogTemplate", "&Play"), 6, 179, 36,
     22},
    {kStop, ControlKind::SkinButton, QT_TRANSLATE_NOOP("ClipDialogTemplate", "&Stop"), 42, 179, 47,
     22},
    {kVolume, ControlKind::SkinButton, QT_TRANSLATE_NOOP("ClipDialogTemplate", "&Volume"), 204, 181,
     14, 16, false},
    {kVolumeSlider, ControlKind::Slider, QT_TRANSLATE_NOOP("ClipDialogTemplate", "Volume"), 220,
     182, 54, 12, false},
    {kNoId, ControlKind::GroupBox, QT_TRANSLATE_NOOP("ClipDialogTemplate", "Start time"), 6, 203,
     88, 25},
    {kBeginLabel, ControlKind::SkinLabel, "00:00:00", 14, 214, 72, 10},
    {kNoId, ControlKind::GroupBox, QT_TRANSLATE_NOOP("ClipDialogTemplate", "End time"), 99, 203, 88,
     25},
    {kEndLabel, ControlKind::SkinLabel, "00:00:00", 107, 214, 72, 10},
    {kNoId, ControlKind::GroupBox, QT_TRANSLATE_NOOP("ClipDialogTemplate", "Cut time"), 192, 203,
     88, 25},
    {kCutLabel, ControlKind::SkinLabel, "00:00:00", 200, 214, 72, 10},
    {kNoId, ControlKind::GroupBox, "", 6, 231, 181, 37},
    {kSetBegin, ControlKind::PushButton, QT_TRANSLATE_NOOP("ClipDialogTemplate", "Set &Begin Time"),
     12, 242, 62, 16},
    {kSetEnd, ControlKind::PushButton, QT_TRANSLATE_NOOP("ClipDialogTemplate", "Set &End Time"), 78,
     242, 62, 16},
    {kReset, ControlKind::PushButton, QT_TRANSLATE_NOOP("ClipDialogTemplate", "&Reset"), 144, 242,
     37, 16},
    {kOk, ControlKind::PushButton, QT_TRANSLATE_NOOP("ClipDialogTemplate", "&OK"), 192, 242, 42,
     16},
    {kCancel, ControlKind::PushButton, QT_TRANSLATE_NOOP("ClipDialogTemplate", "&Cancel"), 238, 242,
     42, 16},
}};

}  // namespace varnell::clip_dialog
