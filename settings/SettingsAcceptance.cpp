#include "settings/SettingsAcceptance.h"

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
  settings.audioBitRate = ParseRate(choices.audioBitRate);
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

}  // namespace varnell
