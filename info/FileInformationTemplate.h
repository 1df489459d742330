// Template 165, the file information dialog: every control with its id, kind, text and
// rectangle in dialog units (8 pt template).
#pragma once

#include <array>

#include "controls/ControlTemplate.h"

namespace varnell::file_information {

enum ControlId : int {
  kNoId = 0,
  kMediaLength = 1004,
  kResolution = 1005,
  kVideoBitRate = 1006,
  kFrameRate = 1007,
  kFileName = 1075,
  kOk = 1106,
  kAudioBitRate = 1122,
  kSamples = 1123,
  kChannel = 1124,
};

inline constexpr int kWidthUnits = 225;
inline constexpr int kHeightUnits = 219;

// In the template's order, which is also the tab order and the stacking order: each group box
// lies under the captions and edits placed after it.
inline constexpr std::array<ControlTemplate, 19> kControls{{
    {kNoId, ControlKind::Caption, QT_TRANSLATE_NOOP("FileInformationTemplate", "File Name:"), 14,
     15, 38, 8},
    {kFileName, ControlKind::Edit, "", 59, 12, 154, 14},
    {kNoId, ControlKind::Caption, QT_TRANSLATE_NOOP("FileInformationTemplate", "Media Length:"), 13,
     36, 49, 8},
    {kMediaLength, ControlKind::Edit, "", 59, 35, 154, 14},
    {kNoId, ControlKind::GroupBox, QT_TRANSLATE_NOOP("FileInformationTemplate", "Video"), 9, 54,
     209, 70},
    {kNoId, ControlKind::Caption, QT_TRANSLATE_NOOP("FileInformationTemplate", "Resolution:"), 13,
     66, 38, 8},
    {kResolution, ControlKind::Edit, "", 59, 63, 154, 14},
    {kNoId, ControlKind::Caption, QT_TRANSLATE_NOOP("FileInformationTemplate", "Frame Rate:"), 13,
     84, 46, 8},
    {kFrameRate, ControlKind::Edit, "", 59, 83, 154, 14},
    {kNoId, ControlKind::Caption, QT_TRANSLATE_NOOP("FileInformationTemplate", "Bit Rate:"), 13,
     106, 29, 8},
    {kVideoBitRate, ControlKind::Edit, "", 59, 105, 154, 14},
    {kNoId, ControlKind::GroupBox, QT_TRANSLATE_NOOP("FileInformationTemplate", "Audio"), 9, 129,
     209, 69},
    {kNoId, ControlKind::Caption, QT_TRANSLATE_NOOP("FileInformationTemplate", "Bit Rate:"), 13,
     139, 29, 8},
    {kAudioBitRate, ControlKind::Edit, "", 59, 138, 154, 14},
    {kNoId, ControlKind::Caption, QT_TRANSLATE_NOOP("FileInformationTemplate", "Samples:"), 13, 158,
     30, 8},
    {kSamples, ControlKind::Edit, "", 59, 157, 154, 14},
    {kNoId, ControlKind::Caption, QT_TRANSLATE_NOOP("FileInformationTemplate", "Channel:"), 13, 180,
     30, 8},
    {kChannel, ControlKind::Edit, "", 59, 177, 154, 14},
    {kOk, ControlKind::PushButton, QT_TRANSLATE_NOOP("FileInformationTemplate", "OK"), 170, 200, 50,
     17},
}};

}  // namespace varnell::file_information
