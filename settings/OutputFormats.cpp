#include "settings/OutputFormats.h"

#include <algorithm>
#include <cctype>

#include "settings/PresetTable.h"
#include "settings/ProfileChoice.h"

namespace varnell {
namespace {

// What each container takes was found by writing each encoder into each muxer with FFmpeg 5.1
// and reading the file back. A raw or single-codec muxer (adts, ac3, flac, ...) takes any audio
// stream and writes bytes no player reads as that format, so it lists only its own codec. Some
// muxers refuse a video stream only once the file is being written; others take it and write
// what no reader knows: the MPEG program and transport streams mark a WMV or H.263 stream
// "unknown", the rm muxer labels every stream RV20, and AVI reads RV20 back as raw video.
// FFmpeg's own avformat_query_codec answers wrongly both ways for several of these, so the
// lists are not taken from it. Built on first use, so that nothing depends on the order in which
// static objects are made.
std::vector<OutputFormat> BuildFormats() {
  const std::vector<std::string_view> kMp3Only{"MP3"};
  // The audio the video containers take, the default first. Left out on purpose: WMA in mov
  // (written, but its block alignment is lost and no reader decodes it), AAC in the MPEG program
  // stream (refused), MP2 in mp4 (read back as MP3), anything but MP3 and AAC in flv (refused).
  const std::vector<std::string_view> kAsfAudio{"WMA8", "WMA7", "MP3", "MP2", "AC3"};
  const std::vector<std::string_view> kMpegProgramAudio{"MP2", "MP3", "AC3"};
  const std::vector<std::string_view> kMp4Audio{"AAC", "MP3", "AC3", "ALAC"};
  // Every video encoder but RV20.
  const std::vector<std::string_view> kMostVideo{
      "MPEG4", "XVID", "H.264",      "H.263",      "DivX",    "MSMPEG4V3", "FLV",
      "WMV1",  "WMV2", "MPEG1VIDEO", "MPEG2VIDEO", "DVVIDEO", "M-JPEG"};
  const std::vector<std::string_view> kMpegStreamVideo{"MPEG1VIDEO", "MPEG2VIDEO", "MPEG4", "XVID",
                                                       "H.264"};

  return {
      // The offered ones first, in Profile order.
      {.extension = ".mp3",
       .muxer = "mp3",
       .audioEncoders = kMp3Only,
       .tags = TagStorage::Id3v2_3,
       .cover = true,
       .formatOption = "mp3",
       .profileName = kMp3ProfileName,
       .presetCode = kMp3PresetCode},
      {.extension = ".wma",
       .muxer = "asf",
       .audioEncoders = {"WMA8", "WMA7"},
       .formatOption = "wma",
       .profileName = kWmaProfileName,
       .presetCode = kWmaPresetCode},
      {.extension = ".m4a",
       .muxer = "ipod",
       .audioEncoders = {"AAC", "ALAC"},
       .cover = true,
       .formatOption = "m4a",
       .profileName = "M4A-MPEG-4 Audio(*.m4a)",
       .presetCode = 90104},
      // An audiobook: AAC in MP4 as an M4A, named so that players file it with their books.
      {.extension = ".m4b",
       .muxer = "ipod",
       .audioEncoders = {"AAC"},
       .cover = true,
       .formatOption = "m4b",
       .profileName = "M4B-MPEG-4 Audiobook(*.m4b)",
       .presetCode = 90112},
      {.extension = ".ogg",
       .muxer = "ogg",
       .audioEncoders = {"VORBIS"},
       .tags = TagStorage::VorbisComments,
       .cover = true,
       .formatOption = "ogg",
       .profileName = "OGG-Ogg Vorbis Audio(*.ogg)",
       .presetCode = 90107},
      {.extension = ".opus",
       .muxer = "opus",
       .audioEncoders = {"OPUS"},
       .tags = TagStorage::VorbisComments,
       .cover = true,
       .formatOption = "opus",
       .profileName = "Opus-Opus Audio(*.opus)",
       .presetCode = kOpusPresetCode},
      {.extension = ".flac",
       .muxer = "flac",
       .audioEncoders = {"FLAC"},
       .tags = TagStorage::VorbisComments,
       .cover = true,
       .formatOption = "flac",
       .profileName = "FLAC-Free Lossless Audio Codec(*.flac)",
       .presetCode = 90701},
      {.extension = ".wav",
       .muxer = "wav",
       .audioEncoders = {"PCM_S16LE"},
       .formatOption = "wav",
       .profileName = "WAV-Waveform Audio(*.wav)",
       .presetCode = 90109},
      // Sound only, not in the Profile list.
      {.extension = ".aac",
       .muxer = "adts",
       .audioEncoders = {"AAC"},
       .formatOption = "aac",
       .presetCode = 90100},
      {.extension = ".aiff",
       .muxer = "aiff",
       .audioEncoders = {"PCM_S16BE"},
       .tags = TagStorage::Id3v2_3,
       .formatOption = "aiff",
       .presetCode = 90102},
      {.extension = ".ac3", .muxer = "ac3", .audioEncoders = {"AC3"}},
      {.extension = ".au", .muxer = "au", .audioEncoders = {"PCM_S16BE"}},
      {.extension = ".mp2", .muxer = "mp2", .audioEncoders = {"MP2"}},
      {.extension = ".ra", .muxer = "rm", .audioEncoders = {"AC3"}},
      // Video containers.
      {.extension = ".asf",
       .muxer = "asf",
       .audioEncoders = kAsfAudio,
       .videoEncoders = kMostVideo},
      {.extension = ".wmv",
       .muxer = "asf",
       .audioEncoders = kAsfAudio,
       .videoEncoders = kMostVideo},
      {.extension = ".avi",
       .muxer = "avi",
       .audioEncoders = {"MP3", "MP2", "AC3", "PCM_S16LE", "WMA8", "WMA7"},
       .videoEncoders = kMostVideo},
      {.extension = ".mov",
       .muxer = "mov",
       .audioEncoders = {"AAC", "MP3", "AC3", "ALAC", "PCM_S16BE", "PCM_S16LE"},
       .videoEncoders = kMostVideo},
      {.extension = ".mkv",
       .muxer = "matroska",
       .audioEncoders = {"AAC", "MP3", "MP2", "AC3", "VORBIS", "OPUS", "FLAC", "ALAC", "PCM_S16LE",
                         "PCM_S16BE", "WMA8", "WMA7"},
       .videoEncoders = kMostVideo},
      {.extension = ".mp4",
       .muxer = "mp4",
       .audioEncoders = kMp4Audio,
       .videoEncoders = {"MPEG4", "XVID", "MPEG2VIDEO", "MPEG1VIDEO", "M-JPEG", "H.264"}},
      {.extension = ".mpg",
       .muxer = "mpeg",
       .audioEncoders = kMpegProgramAudio,
       .videoEncoders = kMpegStreamVideo},
      {.extension = ".vob",
       .muxer = "svcd",
       .audioEncoders = kMpegProgramAudio,
       .videoEncoders = kMpegStreamVideo},
      {.extension = ".ts",
       .muxer = "mpegts",
       .audioEncoders = {"MP2", "AAC", "AC3", "MP3"},
       .videoEncoders = kMpegStreamVideo},
      {.extension = ".flv",
       .muxer = "flv",
       .audioEncoders = {"MP3", "AAC"},
       .videoEncoders = {"FLV", "H.264"}},
      {.extension = ".swf",
       .muxer = "swf",
       .audioEncoders = kMp3Only,
       .videoEncoders = {"FLV", "M-JPEG"}},
      {.extension = ".3gp",
       .muxer = "3gp",
       .audioEncoders = {"AAC"},
       .videoEncoders = {"H.263", "MPEG4", "XVID", "H.264"}},
      // The dv muxer takes 16-bit stereo PCM only, at 720x480 only at 48 kHz: its presets say so.
      {.extension = ".dv",
       .muxer = "dv",
       .audioEncoders = {"PCM_S16LE"},
       .videoEncoders = {"DVVIDEO"}},
      {.extension = ".rm", .muxer = "rm", .audioEncoders = {"AC3"}, .videoEncoders = {"RV20"}},
      // MPEG-1 video and MP2 sound behind a header of its own, which FFmpeg has no muxer for:
      // its presets fail every file in words before anything is written.
      {.extension = ".dpg", .muxer = "", .audioEncoders = {"MP2"}, .videoEncoders = {"MPEG1VIDEO"}},
  };
}

bool Lists(const std::vector<std::string_view>& list, std::string_view name) {
  return std::find(list.begin(), list.end(), name) != list.end();
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

// "MP3 - MPEG Layer-3 Audio(*.MP3)" -> ".MP3": the text after the last "*", cut at the first ")".
std::string LabelExtension(std::string_view label) {
  const std::size_t star = label.rfind('*');
  std::string_view rest = star == std::string_view::npos ? label : label.substr(star + 1);
  const std::size_t close = rest.find(')');
  if (close != std::string_view::npos) rest = rest.substr(0, close);
  return std::string(rest);
}

const OutputFormat& Unwritable() {
  static const OutputFormat none{.extension = "", .muxer = ""};
  return none;
}

}  // namespace

bool OutputFormat::takesAudioEncoder(std::string_view codecName) const {
  return Lists(audioEncoders, codecName);
}

bool OutputFormat::takesVideoEncoder(std::string_view codecText) const {
  return Lists(videoEncoders, codecText);
}

std::string_view OutputFormat::defaultAudioEncoder() const {
  return audioEncoders.empty() ? std::string_view("MP3") : audioEncoders.front();
}

const std::vector<OutputFormat>& OutputFormats() {
  static const std::vector<OutputFormat> formats = BuildFormats();
  return formats;
}

const OutputFormat* OutputFormatOfExtension(std::string_view extension) {
  for (const OutputFormat& format : OutputFormats()) {
    if (SameIgnoringCase(format.extension, extension)) return &format;
  }
  return nullptr;
}

const OutputFormat* OutputFormatOfOption(std::string_view formatOption) {
  for (const OutputFormat& format : OutputFormats()) {
    if (!format.formatOption.empty() && format.formatOption == formatOption) return &format;
  }
  return nullptr;
}

std::vector<const OutputFormat*> ProfileFormats() {
  std::vector<const OutputFormat*> offered;
  for (const OutputFormat& format : OutputFormats()) {
    if (!format.profileName.empty()) offered.push_back(&format);
  }
  return offered;
}

const std::vector<AudioEncoder>& AudioEncoders() {
  static const std::vector<AudioEncoder> encoders{
      {"MP3", "libmp3lame", "MP3 encoder"},
      {"WMA7", "wmav1", "WMA encoder"},
      {"WMA8", "wmav2", "WMA encoder"},
      {"AAC", "aac", "AAC encoder"},
      {"ALAC", "alac", "ALAC encoder", true},
      {"AC3", "ac3", "AC-3 encoder"},
      {"MP2", "mp2", "MP2 encoder"},
      {"VORBIS", "libvorbis", "Vorbis encoder"},
      {"OPUS", "libopus", "Opus encoder"},
      {"FLAC", "flac", "FLAC encoder", true},
      {"PCM_S16LE", "pcm_s16le", "PCM encoder", true, "pcm_s24le"},
      {"PCM_S16BE", "pcm_s16be", "PCM encoder", true, "pcm_s24be"},
  };
  return encoders;
}

const AudioEncoder* FindAudioEncoder(std::string_view codecName) {
  for (const AudioEncoder& encoder : AudioEncoders()) {
    if (encoder.codecName == codecName) return &encoder;
  }
  return nullptr;
}

OutputChoice OutputChoiceForLabel(std::string_view label) {
  OutputChoice choice;
  choice.extension = LabelExtension(label);
  const OutputFormat* format = OutputFormatOfExtension(choice.extension);
  choice.format = format != nullptr ? format : &Unwritable();
  return choice;
}

OutputChoice OutputChoiceForPreset(int presetCode) {
  for (const OutputFormat* format : ProfileFormats()) {
    if (format->presetCode == presetCode) return OutputChoiceForLabel(format->profileName);
  }
  return OutputChoiceForLabel(PresetOrEmpty(presetCode).displayName);
}

}  // namespace varnell
