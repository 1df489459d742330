#include "settings/VideoPresetRows.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "settings/ChoiceParsers.h"
#include "settings/OutputFormats.h"

namespace varnell {
namespace {

// The sound a row starts with; 0 kb/s for a lossless encoder, whose row has no bit rate list.
struct VideoRowSound {
  const char* encoder;
  int kbps;
  int hertz;
  int channels;
};

constexpr VideoRowSound kSoundAac{"AAC", 128, 44100, 2};
constexpr VideoRowSound kSoundMp3{"MP3", 128, 44100, 2};
constexpr VideoRowSound kSoundWma{"WMA8", 128, 44100, 2};
constexpr VideoRowSound kSoundAc3{"AC3", 192, 44100, 2};
// Program and transport streams for a disc or a television: the disc's 48 kHz.
constexpr VideoRowSound kSoundMp2{"MP2", 224, 48000, 2};
// The video CD's own sound.
constexpr VideoRowSound kSoundMp2Vcd{"MP2", 224, 44100, 2};
// DV carries 16-bit stereo PCM, and its 720x480 profile only at 48 kHz.
constexpr VideoRowSound kSoundDvPcm{"PCM_S16LE", 0, 48000, 2};
constexpr VideoRowSound kSoundPhoneMono{"AAC", 32, 22050, 1};
constexpr VideoRowSound kSoundPhoneStereo{"AAC", 64, 22050, 2};
// The Wii's players read uncompressed sound beside motion JPEG.
constexpr VideoRowSound kSoundWiiAvi{"PCM_S16LE", 0, 44100, 2};
constexpr VideoRowSound kSoundWiiMov{"PCM_S16BE", 0, 44100, 2};

constexpr const char* kRowSourceSize = kSourceFrameSizeText;
constexpr const char* kRowSourceRate = kSourceFrameRateText;

struct VideoRow {
  int code;
  const char* codec;  // the settings' codec text
  const char* size;   // "320*240", or the source's
  const char* rate;   // "29.97 fps", or the source's
  int videoKbps;      // what the size needs; DV's is fixed by the format
  VideoRowSound audio;
};

// Device sizes are the players' screens (or their television output for the "for TV" rows);
// bit rates grow with the picture: about 768 kb/s at 320x240, 1500 at 640x480, 2000 at 720x480
// (6000 for MPEG-2, a DVD's), 4000 at 1280x720, 8000 at 1920x1080.
constexpr VideoRow kVideoRows[] = {
    // General Video: the source's size and rate, except where the format fixes them.
    {90001, "MPEG4", kRowSourceSize, kRowSourceRate, 2000, kSoundMp3},
    {90002, "DVVIDEO", "720*480", "29.97 fps", 25000, kSoundDvPcm},
    {90003, "MPEG2VIDEO", "720*480", "29.97 fps", 6000, kSoundMp2},
    {90004, "DivX", kRowSourceSize, kRowSourceRate, 2000, kSoundMp3},
    {90005, "H.264", kRowSourceSize, kRowSourceRate, 1500, kSoundAac},
    {90006, "H.264", kRowSourceSize, kRowSourceRate, 1500, kSoundAac},
    {90007, "MPEG4", kRowSourceSize, kRowSourceRate, 2000, kSoundAac},
    {90008, "MPEG1VIDEO", kRowSourceSize, kRowSourceRate, 2000, kSoundMp2},
    {90009, "MPEG2VIDEO", kRowSourceSize, kRowSourceRate, 4000, kSoundMp2},
    {90010, "RV20", kRowSourceSize, kRowSourceRate, 1000, kSoundAc3},
    {90011, "MPEG1VIDEO", "352*240", "29.97 fps", 1150, kSoundMp2Vcd},
    {90012, "WMV2", kRowSourceSize, kRowSourceRate, 2000, kSoundWma},
    {90013, "H.264", kRowSourceSize, kRowSourceRate, 1500, kSoundAac},
    // Apple TV
    {90200, "H.264", "1280*720", "29.97 fps", 4000, kSoundAac},
    {90201, "H.264", "1920*1080", "29.97 fps", 8000, kSoundAac},
    {90202, "MPEG4", "1280*720", "29.97 fps", 4000, kSoundAac},
    // HD video
    {90300, "MPEG4", "1280*720", "29.97 fps", 4000, kSoundWma},
    {90301, "MPEG4", "1280*720", "29.97 fps", 4000, kSoundMp3},
    {90302, "DivX", "1280*720", "29.97 fps", 4000, kSoundMp3},
    {90303, "H.264", "1920*1080", "29.97 fps", 8000, kSoundAac},
    {90304, "H.264", "1280*720", "29.97 fps", 4000, kSoundAac},
    {90305, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kSoundMp2},
    {90306, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kSoundMp2},
    {90307, "MPEG4", "1280*720", "29.97 fps", 4000, kSoundAac},
    {90308, "RV20", "1280*720", "29.97 fps", 4000, kSoundAc3},
    {90309, "WMV2", "1280*720", "29.97 fps", 4000, kSoundWma},
    {90310, "H.264", "1920*1080", "29.97 fps", 8000, kSoundAac},
    // iPod
    {90400, "H.264", "320*240", "29.97 fps", 768, kSoundAac},
    {90401, "H.264", "640*480", "29.97 fps", 1500, kSoundAac},
    {90402, "MPEG4", "320*240", "29.97 fps", 768, kSoundAac},
    {90403, "MPEG4", "640*480", "29.97 fps", 1500, kSoundAac},
    {90404, "H.264", "376*240", "29.97 fps", 768, kSoundAac},
    {90405, "MPEG4", "376*240", "29.97 fps", 768, kSoundAac},
    {90406, "H.264", "480*320", "29.97 fps", 1000, kSoundAac},
    {90407, "H.264", "640*480", "29.97 fps", 1500, kSoundAac},
    {90408, "MPEG4", "480*320", "29.97 fps", 1000, kSoundAac},
    {90409, "MPEG4", "640*480", "29.97 fps", 1500, kSoundAac},
    // iPad
    {90500, "H.264", "1024*768", "29.97 fps", 2500, kSoundAac},
    {90501, "H.264", "1280*720", "29.97 fps", 4000, kSoundAac},
    {90502, "MPEG4", "640*480", "29.97 fps", 1500, kSoundAac},
    {90503, "H.264", "1280*720", "29.97 fps", 4000, kSoundAac},
    // iPhone
    {90600, "MPEG4", "480*320", "29.97 fps", 1000, kSoundAac},
    {90601, "H.264", "480*320", "29.97 fps", 1000, kSoundAac},
    {90602, "MPEG4", "480*320", "29.97 fps", 1000, kSoundAac},
    {90603, "H.264", "480*320", "29.97 fps", 1000, kSoundAac},
    {90604, "H.264", "1280*720", "29.97 fps", 4000, kSoundAac},
    {90605, "MPEG4", "480*320", "29.97 fps", 1000, kSoundAac},
    {90606, "H.264", "480*320", "29.97 fps", 1000, kSoundAac},
    // Mobile phone: H.263 takes only its five sizes.
    {90800, "H.263", "176*144", "15.0 fps", 256, kSoundPhoneMono},
    {90801, "H.263", "176*144", "15.0 fps", 256, kSoundPhoneStereo},
    {90802, "MPEG4", "320*240", "15.0 fps", 384, kSoundPhoneStereo},
    {90803, "MPEG4", "320*240", "29.97 fps", 768, kSoundMp3},
    {90804, "MPEG4", "480*320", "29.97 fps", 1000, kSoundAac},
    {90806, "WMV2", "320*240", "29.97 fps", 768, kSoundWma},
    // Android
    {90900, "MPEG4", "480*320", "29.97 fps", 1000, kSoundAac},
    {90901, "MPEG4", "480*320", "29.97 fps", 1000, kSoundAac},
    {90902, "MPEG4", "480*320", "29.97 fps", 1000, kSoundAac},
    {90903, "MPEG4", "320*240", "29.97 fps", 768, kSoundAac},
    {90904, "MPEG4", "480*320", "29.97 fps", 1000, kSoundAac},
    {90905, "MPEG4", "854*480", "29.97 fps", 1500, kSoundAac},
    {90906, "MPEG4", "800*480", "29.97 fps", 1500, kSoundAac},
    {90907, "MPEG4", "480*320", "29.97 fps", 1000, kSoundAac},
    // Animation
    {91000, "FLV", "320*240", "29.97 fps", 768, kSoundMp3},
    {91001, "FLV", "320*240", "29.97 fps", 768, kSoundMp3},
    {91002, "H.264", "640*480", "29.97 fps", 1500, kSoundAac},
    // Portable media players
    {91100, "H.264", "720*480", "29.97 fps", 2000, kSoundAac},
    {91101, "MPEG4", "720*480", "29.97 fps", 2000, kSoundAac},
    {91102, "WMV2", "720*480", "29.97 fps", 2000, kSoundWma},
    {91103, "H.264", "320*240", "29.97 fps", 768, kSoundAac},
    {91104, "MPEG4", "320*240", "29.97 fps", 768, kSoundAac},
    {91105, "WMV2", "320*240", "29.97 fps", 768, kSoundWma},
    {91106, "H.264", "320*240", "29.97 fps", 768, kSoundAac},
    {91107, "MPEG4", "320*240", "29.97 fps", 768, kSoundAac},
    {91108, "WMV2", "320*240", "29.97 fps", 768, kSoundWma},
    // PS3
    {91200, "H.264", "720*480", "29.97 fps", 2000, kSoundAac},
    {91201, "DivX", "720*480", "29.97 fps", 2000, kSoundMp3},
    {91202, "DivX", "1280*720", "29.97 fps", 4000, kSoundMp3},
    {91203, "H.264", "1920*1080", "29.97 fps", 8000, kSoundAac},
    {91204, "MPEG2VIDEO", "720*480", "29.97 fps", 6000, kSoundMp2},
    {91205, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kSoundMp2},
    {91206, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kSoundMp2},
    {91207, "WMV2", "720*480", "29.97 fps", 2000, kSoundWma},
    {91208, "WMV2", "1280*720", "29.97 fps", 4000, kSoundWma},
    // PSP: firmware before 2.00 played 320x240 only.
    {91300, "H.264", "480*272", "29.97 fps", 768, kSoundAac},
    {91301, "H.264", "720*480", "29.97 fps", 2000, kSoundAac},
    {91302, "H.264", "320*240", "29.97 fps", 768, kSoundAac},
    {91303, "MPEG4", "480*272", "29.97 fps", 768, kSoundAac},
    // Wii and DS: DPG is MPEG-1 at the DS's screen size, which this build cannot write.
    {91400, "MPEG1VIDEO", "256*192", "20.0 fps", 256, {"MP2", 128, 32000, 2}},
    {91401, "MPEG1VIDEO", "256*192", "20.0 fps", 256, {"MP2", 128, 32000, 2}},
    {91402, "MPEG1VIDEO", "256*192", "20.0 fps", 256, {"MP2", 128, 32000, 2}},
    {91403, "MPEG1VIDEO", "256*192", "20.0 fps", 256, {"MP2", 128, 32000, 2}},
    {91404, "M-JPEG", "640*480", "29.97 fps", 4000, kSoundWiiAvi},
    {91405, "M-JPEG", "640*480", "29.97 fps", 4000, kSoundWiiMov},
    // Xbox
    {91500, "WMV2", "720*480", "29.97 fps", 2000, kSoundWma},
    {91501, "DivX", "1280*720", "29.97 fps", 4000, kSoundMp3},
    {91502, "DivX", "720*480", "29.97 fps", 2000, kSoundMp3},
    {91503, "H.264", "1280*720", "29.97 fps", 4000, kSoundAac},
    {91504, "H.264", "720*480", "29.97 fps", 2000, kSoundAac},
    {91505, "MPEG2VIDEO", "720*480", "29.97 fps", 6000, kSoundMp2},
    {91506, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kSoundMp2},
    {91507, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kSoundMp2},
    {91508, "MPEG4", "1280*720", "29.97 fps", 4000, kSoundAac},
    {91509, "MPEG4", "720*480", "29.97 fps", 2000, kSoundAac},
    {91510, "WMV2", "1280*720", "29.97 fps", 4000, kSoundWma},
    // Zune
    {91600, "WMV2", "320*240", "29.97 fps", 768, kSoundWma},
    {91601, "H.264", "320*240", "29.97 fps", 768, kSoundAac},
    {91602, "MPEG4", "320*240", "29.97 fps", 768, kSoundAac},
};

using VideoRowTexts = std::vector<std::string>;

std::string KbpsChoice(int kbps) { return std::to_string(kbps) + " kbps"; }
std::string HertzChoice(int hertz) { return std::to_string(hertz) + " Hz"; }

// The list with the default in it, in the list's order for a number-led text ("376*240" after
// "352*288"), first for any other ("Source size").
VideoRowTexts WithDefaultChoice(VideoRowTexts choices, const std::string& choice) {
  if (std::find(choices.begin(), choices.end(), choice) != choices.end()) return choices;
  const auto leading = [](const std::string& text) { return std::stoi("0" + text); };
  auto at = choices.begin();
  if (!choice.empty() && choice[0] >= '0' && choice[0] <= '9') {
    while (at != choices.end() && leading(*at) <= leading(choice)) ++at;
  }
  choices.insert(at, choice);
  return choices;
}

// What each encoder takes and the muxer allows: AC3 has no 22.05 kHz, swf only 11025 and its
// multiples, dv only 48 kHz at 720x480.
VideoRowTexts VideoRowSampleRates(const VideoRowSound& audio, std::string_view muxer) {
  if (muxer == "dv") return {HertzChoice(48000)};
  if (muxer == "swf") return {HertzChoice(11025), HertzChoice(22050), HertzChoice(44100)};
  if (std::string_view(audio.encoder) == "AC3")
    return {HertzChoice(32000), HertzChoice(44100), HertzChoice(48000)};
  return {HertzChoice(22050), HertzChoice(32000), HertzChoice(44100), HertzChoice(48000)};
}

// The texts the table names video codecs by; "XVID" and "MSMPEG4V3" are the command line's own.
VideoRowTexts VideoCodecsOf(const OutputFormat& format) {
  VideoRowTexts codecs;
  for (std::string_view codec : format.videoEncoders) {
    if (codec != "XVID" && codec != "MSMPEG4V3") codecs.emplace_back(codec);
  }
  return codecs;
}

void SetVideoRowChoices(Preset& preset, PresetColumn column, VideoRowTexts choices,
                        std::string defaultChoice) {
  PresetParameter& parameter = preset.parameters[static_cast<std::size_t>(column)];
  parameter.choices = WithDefaultChoice(std::move(choices), defaultChoice);
  parameter.defaultChoice = std::move(defaultChoice);
}

}  // namespace

void FillVideoPresetRow(Preset& preset) {
  const auto row = std::find_if(std::begin(kVideoRows), std::end(kVideoRows),
                                [&](const VideoRow& r) { return r.code == preset.code; });
  if (row == std::end(kVideoRows)) return;
  const OutputFormat& format = *OutputChoiceForLabel(preset.displayName).format;
  const VideoRowSound& audio = row->audio;
  const bool dv = format.muxer == "dv";

  VideoRowTexts encoders(format.audioEncoders.begin(), format.audioEncoders.end());
  SetVideoRowChoices(preset, PresetColumn::AudioEncoder, encoders, audio.encoder);
  if (audio.kbps > 0) {
    SetVideoRowChoices(
        preset, PresetColumn::AudioBitRate,
        {KbpsChoice(32), KbpsChoice(48), KbpsChoice(64), KbpsChoice(96), KbpsChoice(128),
         KbpsChoice(160), KbpsChoice(192), KbpsChoice(224), KbpsChoice(256), KbpsChoice(320)},
        KbpsChoice(audio.kbps));
  }
  SetVideoRowChoices(preset, PresetColumn::SampleRate, VideoRowSampleRates(audio, format.muxer),
                     HertzChoice(audio.hertz));
  const std::string mono = "1 Channel Mono", stereo = "2 Channel Stereo";
  SetVideoRowChoices(preset, PresetColumn::Channel,
                     dv ? VideoRowTexts{stereo} : VideoRowTexts{mono, stereo},
                     audio.channels == 1 ? mono : stereo);

  SetVideoRowChoices(preset, PresetColumn::VideoCodec, VideoCodecsOf(format), row->codec);
  SetVideoRowChoices(
      preset, PresetColumn::FrameSize,
      dv ? VideoRowTexts{"720*480", "720*576"}
         : VideoRowTexts{"128*96", "176*144", "320*240", "352*240", "352*288", "480*272", "480*320",
                         "640*480", "720*480", "720*576", "1280*720", "1920*1080"},
      row->size);
  SetVideoRowChoices(
      preset, PresetColumn::FrameRate,
      dv ? VideoRowTexts{"25.0 fps", "29.97 fps"}
         : VideoRowTexts{"10.0 fps", "15.0 fps", "20.0 fps", "23.975 fps", "24.0 fps", "25.0 fps",
                         "29.97 fps", "30.0 fps", "50.0 fps", "60.0 fps"},
      row->rate);
  SetVideoRowChoices(
      preset, PresetColumn::VideoBitRate,
      dv ? VideoRowTexts{}
         : VideoRowTexts{KbpsChoice(256), KbpsChoice(384), KbpsChoice(512), KbpsChoice(768),
                         KbpsChoice(1000), KbpsChoice(1500), KbpsChoice(2000), KbpsChoice(2500),
                         KbpsChoice(3000), KbpsChoice(4000), KbpsChoice(6000), KbpsChoice(8000),
                         KbpsChoice(10000)},
      KbpsChoice(row->videoKbps));
}

}  // namespace varnell
