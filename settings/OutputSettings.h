#pragma once

#include <string>

namespace varnell {

// The settings dialog's last accepted choice texts, kept so that reopening it
// on the same preset preselects them. Meaningless before the first acceptance.
struct SavedChoiceTexts {
  std::string audioBitRate, sampleRate, channel, videoBitRate, frameSize, frameRate, videoCodec,
      encoder;
};

// The chosen output parameters. One instance is owned by the application
// object; only the user-interface thread writes it, and the job builder copies
// what it needs when a batch starts. Defaults are the start-up values, which
// match profile item 0 (MP3).
struct OutputSettings {
  int audioBitRate = 128000;  // bit/s
  int sampleRate = 44100;     // Hz
  int channels = 2;           // 1, 2 or 6
  int videoBitRate = 0;       // bit/s
  int width = 0;              // pixels
  int height = 0;             // pixels
  std::string frameRateText;
  std::string videoCodecName;
  std::string audioCodecName = "MP3";
  int vbrQuality = -1;        // see AudioTarget: -1 encodes by audioBitRate
  int compressionLevel = -1;  // FLAC, 0 to 12; -1 for the encoder's default
  bool audioOnly = true;
  bool thumbnail = false;
  // How each output is named below the output folder: "{artist}/{album}/{track} {title}" and
  // the like; empty for the source's base name.
  std::string namePattern;
  // When the output's name exists already: pass the row over instead of numbering a new name.
  bool skipExisting = false;
  // Completed rows' sources go to the freedesktop Trash after the batch.
  bool trashSources = false;
  int previousPresetCode = 0;  // current preset code at the last acceptance
  SavedChoiceTexts savedChoices;
};

}  // namespace varnell
