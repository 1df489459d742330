#include "settings/SettingsAcceptance.h"

#include <string>

#include "settings/ChoiceParsers.h"

namespace varnell {

void AcceptSettings(const AcceptedChoices& choices, int currentPresetCode, OutputSettings& settings,
                    MessageSink& messages) {
  // The size comes first so that its failure message is shown before anything
  // else is stored; the remaining fields are written regardless.
  ParseFrameSize(choices.frameSize, settings.width, settings.height, messages);
  settings.frameRateText = choices.frameRate;
  settings.videoBitRate = ParseRate(choices.videoBitRate);
  settings.videoCodecName = choices.videoCodec;
  settings.sampleRate = ParseRate(choices.sampleRate);
  ParseChannels(choices.channel, settings.channels);
  // The bit rate list holds rates, VBR qualities or FLAC's levels: each reads as its own number
  // and the others as none (0 or -1).
  settings.audioBitRate = ParseRate(choices.audioBitRate);
  settings.vbrQuality = ParseVbrQuality(choices.audioBitRate);
  settings.compressionLevel = ParseCompressionLevel(choices.audioBitRate);
  settings.audioCodecName = choices.encoder;

  // Reopening the dialog on this preset preselects these texts instead of the
  // preset's defaults.
  settings.previousPresetCode = currentPresetCode;
  settings.savedChoices = SavedChoiceTexts{
      .audioBitRate = choices.audioBitRate,
      .sampleRate = choices.sampleRate,
      .channel = choices.channel,
      .videoBitRate = choices.videoBitRate,
      .frameSize = choices.frameSize,
      .frameRate = choices.frameRate,
      .videoCodec = choices.videoCodec,
      .encoder = choices.encoder,
  };
}

namespace {

class DiscardedMessages : public MessageSink {
 public:
  void ShowMessage(const std::string&) override {}
};

}  // namespace

OutputSettings PresetPreselection(const Preset& preset) {
  const auto text = [&](PresetColumn column) { return preset.parameter(column).defaultChoice; };
  AcceptedChoices choices;
  choices.encoder = text(PresetColumn::AudioEncoder);
  choices.audioBitRate = text(PresetColumn::AudioBitRate);
  choices.sampleRate = text(PresetColumn::SampleRate);
  choices.channel = text(PresetColumn::Channel);
  OutputSettings settings;
  DiscardedMessages messages;
  AcceptSettings(choices, preset.code, settings, messages);
  return settings;
}

}  // namespace varnell
