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
  // The output names column, beside the audio group.
  kNamePattern = 1140,
  kExistingOutput = 1141,
  kTrashSources = 1142,
};

// Grown to the right for the output names column; the template's own controls stay where they
// were.
inline constexpr int kWidthUnits = 363;
inline constexpr int kHeightUnits = 177;

// In template order, which is also the stacking and tab order: a group box lies under its
// captions and lists, and the output names column comes before the buttons.
inline constexpr std::array<ControlTemplate, 24> kControls{{
    {0, ControlKind::Caption, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Format Preset:"), 7, 2,
     56, 12, true, true},
    {kPresetName, ControlKind::PushButton, "", 7, 15, 161, 16, true, false},
    {0, ControlKind::GroupBox, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Audio"), 7, 36, 161,
     107, true, true},
    {0, ControlKind::Caption, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Encoder:"), 17, 52, 36,
     8, true, true},
    {kEncoder, ControlKind::DropDownList, "", 73, 49, 80, 25, true, true},
    {0, ControlKind::Caption, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Bit Rate:"), 17, 76, 36,
     8, true, true},
    {kAudioBitRate, ControlKind::DropDownList, "", 73, 73, 80, 62, true, true},
    {0, ControlKind::Caption, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Sample Rate:"), 17, 99,
     44, 8, true, true},
    {kSampleRate, ControlKind::DropDownList, "", 73, 97, 80, 69, true, true},
    {0, ControlKind::Caption, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Channel:"), 17, 124, 36,
     8, true, true},
    {kChannel, ControlKind::DropDownList, "", 73, 121, 80, 69, true, true},
    {kFrameSize, ControlKind::DropDownList, "", 72, 162, 16, 12, false, false},
    {kVideoCodec, ControlKind::DropDownList, "", 73, 161, 16, 50, false, false},
    {kFrameRate, ControlKind::DropDownList, "", 72, 161, 16, 70, false, false},
    {kVideoBitRate, ControlKind::DropDownList, "", 65, 162, 16, 58, false, false},
    {0, ControlKind::GroupBox, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Output Names"), 175, 36,
     181, 107, true, true},
    {0, ControlKind::Caption, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Name pattern:"), 185, 51,
     60, 8, true, true},
    {kNamePattern, ControlKind::Edit, "", 185, 61, 161, 14, true, true},
    {0, ControlKind::Caption, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "If the output exists:"),
     185, 82, 80, 8, true, true},
    {kExistingOutput, ControlKind::DropDownList, "", 185, 92, 161, 30, true, true},
    // Two lines: the column is narrower than the sentence.
    {kTrashSources, ControlKind::CheckBox,
     QT_TRANSLATE_NOOP("SettingsDialogTemplate",
                       "Move sources to the Trash\nafter a successful conversion"),
     185, 113, 161, 22, true, true},
    {kDefault, ControlKind::PushButton, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Default"), 7,
     155, 44, 19, true, true},
    {kOk, ControlKind::DefaultPushButton, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "OK"), 74,
     155, 45, 19, true, true},
    {kCancel, ControlKind::PushButton, QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Cancel"), 122,
     155, 46, 19, true, true},
}};

// The "If the output exists" list, in order: index 1 skips the row.
inline constexpr const char* kExistingOutputChoices[] = {
    QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Make a new name"),
    QT_TRANSLATE_NOOP("SettingsDialogTemplate", "Skip")};

inline constexpr std::array<int, 4> kVideoLists{kFrameSize, kFrameRate, kVideoCodec, kVideoBitRate};

}  // namespace varnell::settings_dialog
