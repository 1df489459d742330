#pragma once

#include <array>
#include <string>
#include <vector>

namespace varnell {

// The eight output parameters a preset offers, in the order the settings
// dialog lays them out; the value indexes Preset::parameters.
enum class PresetColumn {
  AudioEncoder,
  AudioBitRate,
  SampleRate,
  Channel,
  VideoCodec,
  FrameSize,
  FrameRate,
  VideoBitRate
};
inline constexpr int kPresetColumnCount = 8;

// The choice texts offered for one parameter, in display order, and the one
// preselected when the dialog has no saved choice for this preset.
struct PresetParameter {
  std::vector<std::string> choices;
  std::string defaultChoice;
};

struct Preset {
  int code = 0;
  std::string displayName;
  bool audioOnly = false;
  bool thumbnail = false;
  std::array<PresetParameter, kPresetColumnCount> parameters;

  const PresetParameter& parameter(PresetColumn c) const;
};

// The constant table, built once on first use (thread-safe) and never changed.
const std::vector<Preset>& AllPresets();
const Preset* FindPreset(int code);
// Callers that show or apply a preset treat an unknown code as a preset with
// empty lists rather than as an error.
const Preset& PresetOrEmpty(int code);

inline constexpr int kMp3PresetCode = 90106, kWmaPresetCode = 90110, kOpusPresetCode = 90111;

}  // namespace varnell
