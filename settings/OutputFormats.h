// The output formats: for each, its file extension, FFmpeg's muxer, the audio encoders its
// container takes (the first is the default), the video encoders, how it stores tags and a cover
// picture, and where it is offered (the main window's Profile list, varnell-convert's --format).
// Output naming, the audio sink, the output file, varnell-convert's options and help and the
// settings read it: adding a format is a row here, and a preset row when a preset names it.
// Plain C++: the encoders and codecs are named by the settings' texts, not by FFmpeg's ids.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace varnell {

// An audio encoder the engine has: the settings' codec text, FFmpeg's encoder and the name
// its messages use.
struct AudioEncoder {
  std::string_view codecName;   // "MP3"
  std::string_view ffmpegName;  // "libmp3lame"
  std::string_view label;       // "MP3 encoder"
  // Keeps every sample as it was: no bit rate applies.
  bool lossless = false;
  // The encoder for a source of more than 16 bits whose own codec is lossless ("pcm_s24le"),
  // so that a 24-bit recording stays 24-bit; empty when ffmpegName serves every depth.
  std::string_view deepFfmpegName{};
};

enum class TagStorage {
  Id3v2_3,            // ID3v2.3 frames (the version most players read)
  VorbisComments,     // Ogg, Opus and FLAC: Vorbis comments, the cover a picture block
  ContainerMetadata,  // whatever the muxer makes of FFmpeg's metadata
};

struct OutputFormat {
  std::string_view extension{};  // ".mp3", lower case
  std::string_view muxer{};      // FFmpeg's name for it; empty when FFmpeg cannot write it
  std::vector<std::string_view> audioEncoders{};  // codec names; the first is the default
  std::vector<std::string_view>
      videoEncoders{};  // the settings' video codec texts; empty: sound only
  TagStorage tags = TagStorage::ContainerMetadata;
  bool cover = false;  // the source's cover goes along as an attached picture
  // Where it is offered; empty or 0 when it is not.
  std::string_view formatOption{};  // --format's word, "mp3"
  std::string_view profileName{};   // the Profile list's item, "MP3-MPEG Layer-3 Audio(*.mp3)"
  int presetCode = 0;               // the preset the Profile item and --format select

  // "mp3": the extension without its dot, as messages name the format.
  std::string_view name() const { return extension.substr(1); }
  bool takesAudioEncoder(std::string_view codecName) const;
  bool takesVideoEncoder(std::string_view codecText) const;
  // The encoder a row without a choice of its own gets: the first, or MP3 for a container that
  // takes none of the engine's encoders (its rows then fail in words).
  std::string_view defaultAudioEncoder() const;
};

// Every format, in the order the Profile list and --format's help show the offered ones.
const std::vector<OutputFormat>& OutputFormats();
// By extension, in any case (".MP4" is the mp4 format); nothing for an extension no row has.
const OutputFormat* OutputFormatOfExtension(std::string_view extension);
const OutputFormat* OutputFormatOfOption(std::string_view formatOption);
// The formats the Profile list offers, in item order.
std::vector<const OutputFormat*> ProfileFormats();

const std::vector<AudioEncoder>& AudioEncoders();
const AudioEncoder* FindAudioEncoder(std::string_view codecName);

// What a batch writes: a format, and the extension as the chosen preset or profile spells it
// ("clip.MP4" for a preset whose name says "*.MP4"). A label without a format row gives the
// format with no muxer, whose rows fail with the output name in words.
struct OutputChoice {
  const OutputFormat* format = nullptr;
  std::string extension;
};
// A Profile item's or a preset's display name ("MP3-MPEG Layer-3 Audio(*.mp3)").
OutputChoice OutputChoiceForLabel(std::string_view label);
OutputChoice OutputChoiceForPreset(int presetCode);

}  // namespace varnell
