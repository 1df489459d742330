// Template 167, the settings dialog: every control with its id, kind, text, rectangle in dialog
// units (8 pt template) and its state at creation.
#pragma once

#include <array>

#include "controls/ControlTemplate.h"

namespace varnell::settings_dialog {

enum ControlId : int {
  kOk = 1,
  kCancel = 2,
  kFrameSize = 1063,
  kVideoCodec = 1064,
  kFrameRate = 1065,
  kVideoBitRate = 1066,
  kSampleRate = 1067,
  kChannel = 1068,
  kEncoder = 1069,
  kAudioBitRate = 1070,
  kDefault = 1072,
  kPresetName = 1134,
};

inline constexpr int kWidthUnits = 177;
inline constexpr int kHeightUnits = 177;

// In template order, which is also the stacking order: the group box lies under its captions
// and lists.
inline constexpr std::array<ControlTemplate, 18> kControls{{
    {0, ControlKind::Caption, "Format Preset:", 7, 2, 56, 12, true, true},
    {kPresetName, ControlKind::PushButton, "", 7, 15, 161, 16, true, false},
    {0, ControlKind::GroupBox, "Audio", 7, 36, 161, 107, true, true},
    {0, ControlKind::Caption, "Encoder:", 17, 52, 36, 8, true, true},
    {kEncoder, ControlKind::DropDownList, "", 73, 49, 80, 25, true, true},
    {0, ControlKind::Caption, "Bit Rate:", 17, 76, 36, 8, true, true},
    {kAudioBitRate, ControlKind::DropDownList, "", 73, 73, 80, 62, true, true},
    {0, ControlKind::Caption, "Sample Rate:", 17, 99, 44, 8, true, true},
    {kSampleRate, ControlKind::DropDownList, "", 73, 97, 80, 69, true, true},
    {0, ControlKind::Caption, "Channel:", 17, 124, 36, 8, true, true},
    {kChannel, ControlKind::DropDownList, "", 73, 121, 80, 69, true, true},
    {kFrameSize, ControlKind::DropDownList, "", 72, 162, 16, 12, false, false},
    {kVideoCodec, ControlKind::DropDownList, "", 73, 161, 16, 50, false, false},
    {kFrameRate, ControlKind::DropDownList, "", 72, 161, 16, 70, false, false},
    {kVideoBitRate, ControlKind::DropDownList, "", 65, 162, 16, 58, false, false},
    {kDefault, ControlKind::PushButton, "Default", 7, 155, 44, 19, true, true},
    {kOk, ControlKind::DefaultPushButton, "OK", 74, 155, 45, 19, true, true},
    {kCancel, ControlKind::PushButton, "Cancel", 122, 155, 46, 19, true, true},
}};

inline constexpr std::array<int, 4> kVideoLists{kFrameSize, kFrameRate, kVideoCodec, kVideoBitRate};

}  // namespace varnell::settings_dialog
