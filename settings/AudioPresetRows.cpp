#include "settings/AudioPresetRows.h"

#include <cstddef>
#include <string>
#include <vector>

#include "settings/AudioEncoderChoices.h"

namespace varnell {
namespace {

PresetParameter& Column(Preset& p, PresetColumn column) {
  return p.parameters[static_cast<std::size_t>(column)];
}

// The two rows the main window's first Profile items have always selected keep their own lists,
// which differ from their encoders' lists in the dialog.
std::vector<std::string> SelectableAudioBitRates() {
  return {"32 kbps",  "48 kbps",  "64 kbps",  "80 kbps",  "96 kbps",
          "128 kbps", "160 kbps", "192 kbps", "256 kbps", "320 kbps"};
}

void FillMp3AudioRow(Preset& p) {
  Column(p, PresetColumn::AudioEncoder) = {{"MP3"}, "MP3"};
  Column(p, PresetColumn::AudioBitRate) = {SelectableAudioBitRates(), "128 kbps"};
  Column(p, PresetColumn::SampleRate) = {
      {"22050 Hz", "24000 Hz", "32000 Hz", "44100 Hz", "48000 Hz"}, "44100 Hz"};
  Column(p, PresetColumn::Channel) = {{"1 Channel Mono", "2 Channel Stereo"}, "2 Channel Stereo"};
}

void FillWmaAudioRow(Preset& p) {
  Column(p, PresetColumn::AudioEncoder) = {{"WMA7", "WMA8"}, "WMA8"};
  Column(p, PresetColumn::AudioBitRate) = {SelectableAudioBitRates(), "128 kbps"};
  Column(p, PresetColumn::SampleRate) = {{"24000 Hz", "32000 Hz", "44100 Hz", "48000 Hz"},
                                         "44100 Hz"};
  Column(p, PresetColumn::Channel) = {{"1 Channel Mono", "2 Channel Stereo"}, "2 Channel Stereo"};
}

// Every other audio row offers its format's encoders, the first preselected, and that encoder's
// lists as the settings dialog shows them, so that the dialog opens on the row's own texts.
void FillFromEncoders(Preset& p, std::vector<std::string> encoders) {
  const AudioEncoderChoices& first = *FindAudioEncoderChoices(encoders.front());
  Column(p, PresetColumn::AudioEncoder) = {encoders, encoders.front()};
  Column(p, PresetColumn::AudioBitRate) = first.bitRates;
  Column(p, PresetColumn::SampleRate) = first.sampleRates;
  Column(p, PresetColumn::Channel) = first.channels;
}

}  // namespace

void FillAudioPresetRow(Preset& preset) {
  switch (preset.code) {
    case kMp3PresetCode:
      return FillMp3AudioRow(preset);
    case kWmaPresetCode:
    case 90703:
    case 90805:
      return FillWmaAudioRow(preset);
    case 90100:
      return FillFromEncoders(preset, {"AAC"});
    case 90101:
    case 90108:  // the rm muxer carries AC-3, not the Real codecs
      return FillFromEncoders(preset, {"AC3"});
    case 90102:
    case 90103:
      return FillFromEncoders(preset, {"PCM_S16BE"});
    case 90104:
      return FillFromEncoders(preset, {"AAC", "ALAC"});
    case 90112:
      return FillFromEncoders(preset, {"AAC"});
    case 90105:
      return FillFromEncoders(preset, {"MP2"});
    case 90107:
    case 90700:
      return FillFromEncoders(preset, {"VORBIS"});
    case 90109:
    case 90702:
      return FillFromEncoders(preset, {"PCM_S16LE"});
    case 90701:
      return FillFromEncoders(preset, {"FLAC"});
    case kOpusPresetCode:
      return FillFromEncoders(preset, {"OPUS"});
    default:
      return;
  }
}

}  // namespace varnell
