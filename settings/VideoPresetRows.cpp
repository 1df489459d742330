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
struct AudioDefaults {
  const char* encoder;
  int kbps;
  int hertz;
  int channels;
};

constexpr AudioDefaults kAac{"AAC", 128, 44100, 2};
constexpr AudioDefaults kMp3{"MP3", 128, 44100, 2};
constexpr AudioDefaults kWma{"WMA8", 128, 44100, 2};
constexpr AudioDefaults kAc3{"AC3", 192, 44100, 2};
// Program and transport streams for a disc or a television: the disc's 48 kHz.
constexpr AudioDefaults kMp2{"MP2", 224, 48000, 2};
// The video CD's own sound.
constexpr AudioDefaults kMp2Vcd{"MP2", 224, 44100, 2};
// DV carries 16-bit stereo PCM, and its 720x480 profile only at 48 kHz.
constexpr AudioDefaults kDvPcm{"PCM_S16LE", 0, 48000, 2};
constexpr AudioDefaults kPhoneMono{"AAC", 32, 22050, 1};
constexpr AudioDefaults kPhoneStereo{"AAC", 64, 22050, 2};
// The Wii's players read uncompressed sound beside motion JPEG.
constexpr AudioDefaults kWiiAvi{"PCM_S16LE", 0, 44100, 2};
constexpr AudioDefaults kWiiMov{"PCM_S16BE", 0, 44100, 2};

constexpr const char* kSourceSize = kSourceFrameSizeText;
constexpr const char* kSourceRate = kSourceFrameRateText;

struct VideoRow {
  int code;
  const char* codec;  // the settings' codec text
  const char* size;   // "320*240", or the source's
  const char* rate;   // "29.97 fps", or the source's
  int videoKbps;      // what the size needs; DV's is fixed by the format
  AudioDefaults audio;
};

// Device sizes are the players' screens (or their television output for the "for TV" rows);
// bit rates grow with the picture: about 768 kb/s at 320x240, 1500 at 640x480, 2000 at 720x480
// (6000 for MPEG-2, a DVD's), 4000 at 1280x720, 8000 at 1920x1080.
constexpr VideoRow kVideoRows[] = {
    // General Video: the source's size and rate, except where the format fixes them.
    {90001, "MPEG4", kSourceSize, kSourceRate, 2000, kMp3},
    {90002, "DVVIDEO", "720*480", "29.97 fps", 25000, kDvPcm},
    {90003, "MPEG2VIDEO", "720*480", "29.97 fps", 6000, kMp2},
    {90004, "DivX", kSourceSize, kSourceRate, 2000, kMp3},
    {90005, "H.264", kSourceSize, kSourceRate, 1500, kAac},
    {90006, "H.264", kSourceSize, kSourceRate, 1500, kAac},
    {90007, "MPEG4", kSourceSize, kSourceRate, 2000, kAac},
    {90008, "MPEG1VIDEO", kSourceSize, kSourceRate, 2000, kMp2},
    {90009, "MPEG2VIDEO", kSourceSize, kSourceRate, 4000, kMp2},
    {90010, "RV20", kSourceSize, kSourceRate, 1000, kAc3},
    {90011, "MPEG1VIDEO", "352*240", "29.97 fps", 1150, kMp2Vcd},
    {90012, "WMV2", kSourceSize, kSourceRate, 2000, kWma},
    {90013, "H.264", kSourceSize, kSourceRate, 1500, kAac},
    // Apple TV
    {90200, "H.264", "1280*720", "29.97 fps", 4000, kAac},
    {90201, "H.264", "1920*1080", "29.97 fps", 8000, kAac},
    {90202, "MPEG4", "1280*720", "29.97 fps", 4000, kAac},
    // HD video
    {90300, "MPEG4", "1280*720", "29.97 fps", 4000, kWma},
    {90301, "MPEG4", "1280*720", "29.97 fps", 4000, kMp3},
    {90302, "DivX", "1280*720", "29.97 fps", 4000, kMp3},
    {90303, "H.264", "1920*1080", "29.97 fps", 8000, kAac},
    {90304, "H.264", "1280*720", "29.97 fps", 4000, kAac},
    {90305, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kMp2},
    {90306, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kMp2},
    {90307, "MPEG4", "1280*720", "29.97 fps", 4000, kAac},
    {90308, "RV20", "1280*720", "29.97 fps", 4000, kAc3},
    {90309, "WMV2", "1280*720", "29.97 fps", 4000, kWma},
    {90310, "H.264", "1920*1080", "29.97 fps", 8000, kAac},
    // iPod
    {90400, "H.264", "320*240", "29.97 fps", 768, kAac},
    {90401, "H.264", "640*480", "29.97 fps", 1500, kAac},
    {90402, "MPEG4", "320*240", "29.97 fps", 768, kAac},
    {90403, "MPEG4", "640*480", "29.97 fps", 1500, kAac},
    {90404, "H.264", "376*240", "29.97 fps", 768, kAac},
    {90405, "MPEG4", "376*240", "29.97 fps", 768, kAac},
    {90406, "H.264", "480*320", "29.97 fps", 1000, kAac},
    {90407, "H.264", "640*480", "29.97 fps", 1500, kAac},
    {90408, "MPEG4", "480*320", "29.97 fps", 1000, kAac},
    {90409, "MPEG4", "640*480", "29.97 fps", 1500, kAac},
    // iPad
    {90500, "H.264", "1024*768", "29.97 fps", 2500, kAac},
    {90501, "H.264", "1280*720", "29.97 fps", 4000, kAac},
    {90502, "MPEG4", "640*480", "29.97 fps", 1500, kAac},
    {90503, "H.264", "1280*720", "29.97 fps", 4000, kAac},
    // iPhone
    {90600, "MPEG4", "480*320", "29.97 fps", 1000, kAac},
    {90601, "H.264", "480*320", "29.97 fps", 1000, kAac},
    {90602, "MPEG4", "480*320", "29.97 fps", 1000, kAac},
    {90603, "H.264", "480*320", "29.97 fps", 1000, kAac},
    {90604, "H.264", "1280*720", "29.97 fps", 4000, kAac},
    {90605, "MPEG4", "480*320", "29.97 fps", 1000, kAac},
    {90606, "H.264", "480*320", "29.97 fps", 1000, kAac},
    // Mobile phone: H.263 takes only its five sizes.
    {90800, "H.263", "176*144", "15.0 fps", 256, kPhoneMono},
    {90801, "H.263", "176*144", "15.0 fps", 256, kPhoneStereo},
    {90802, "MPEG4", "320*240", "15.0 fps", 384, kPhoneStereo},
    {90803, "MPEG4", "320*240", "29.97 fps", 768, kMp3},
    {90804, "MPEG4", "480*320", "29.97 fps", 1000, kAac},
    {90806, "WMV2", "320*240", "29.97 fps", 768, kWma},
    // Android
    {90900, "MPEG4", "480*320", "29.97 fps", 1000, kAac},
    {90901, "MPEG4", "480*320", "29.97 fps", 1000, kAac},
    {90902, "MPEG4", "480*320", "29.97 fps", 1000, kAac},
    {90903, "MPEG4", "320*240", "29.97 fps", 768, kAac},
    {90904, "MPEG4", "480*320", "29.97 fps", 1000, kAac},
    {90905, "MPEG4", "854*480", "29.97 fps", 1500, kAac},
    {90906, "MPEG4", "800*480", "29.97 fps", 1500, kAac},
    {90907, "MPEG4", "480*320", "29.97 fps", 1000, kAac},
    // Animation
    {91000, "FLV", "320*240", "29.97 fps", 768, kMp3},
    {91001, "FLV", "320*240", "29.97 fps", 768, kMp3},
    {91002, "H.264", "640*480", "29.97 fps", 1500, kAac},
    // Portable media players
    {91100, "H.264", "720*480", "29.97 fps", 2000, kAac},
    {91101, "MPEG4", "720*480", "29.97 fps", 2000, kAac},
    {91102, "WMV2", "720*480", "29.97 fps", 2000, kWma},
    {91103, "H.264", "320*240", "29.97 fps", 768, kAac},
    {91104, "MPEG4", "320*240", "29.97 fps", 768, kAac},
    {91105, "WMV2", "320*240", "29.97 fps", 768, kWma},
    {91106, "H.264", "320*240", "29.97 fps", 768, kAac},
    {91107, "MPEG4", "320*240", "29.97 fps", 768, kAac},
    {91108, "WMV2", "320*240", "29.97 fps", 768, kWma},
    // PS3
    {91200, "H.264", "720*480", "29.97 fps", 2000, kAac},
    {91201, "DivX", "720*480", "29.97 fps", 2000, kMp3},
    {91202, "DivX", "1280*720", "29.97 fps", 4000, kMp3},
    {91203, "H.264", "1920*1080", "29.97 fps", 8000, kAac},
    {91204, "MPEG2VIDEO", "720*480", "29.97 fps", 6000, kMp2},
    {91205, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kMp2},
    {91206, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kMp2},
    {91207, "WMV2", "720*480", "29.97 fps", 2000, kWma},
    {91208, "WMV2", "1280*720", "29.97 fps", 4000, kWma},
    // PSP: firmware before 2.00 played 320x240 only.
    {91300, "H.264", "480*272", "29.97 fps", 768, kAac},
    {91301, "H.264", "720*480", "29.97 fps", 2000, kAac},
    {91302, "H.264", "320*240", "29.97 fps", 768, kAac},
    {91303, "MPEG4", "480*272", "29.97 fps", 768, kAac},
    // Wii and DS: DPG is MPEG-1 at the DS's screen size, which this build cannot write.
    {91400, "MPEG1VIDEO", "256*192", "20.0 fps", 256, {"MP2", 128, 32000, 2}},
    {91401, "MPEG1VIDEO", "256*192", "20.0 fps", 256, {"MP2", 128, 32000, 2}},
    {91402, "MPEG1VIDEO", "256*192", "20.0 fps", 256, {"MP2", 128, 32000, 2}},
    {91403, "MPEG1VIDEO", "256*192", "20.0 fps", 256, {"MP2", 128, 32000, 2}},
    {91404, "M-JPEG", "640*480", "29.97 fps", 4000, kWiiAvi},
    {91405, "M-JPEG", "640*480", "29.97 fps", 4000, kWiiMov},
    // Xbox
    {91500, "WMV2", "720*480", "29.97 fps", 2000, kWma},
    {91501, "DivX", "1280*720", "29.97 fps", 4000, kMp3},
    {91502, "DivX", "720*480", "29.97 fps", 2000, kMp3},
    {91503, "H.264", "1280*720", "29.97 fps", 4000, kAac},
    {91504, "H.264", "720*480", "29.97 fps", 2000, kAac},
    {91505, "MPEG2VIDEO", "720*480", "29.97 fps", 6000, kMp2},
    {91506, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kMp2},
    {91507, "MPEG2VIDEO", "1920*1080", "29.97 fps", 8000, kMp2},
    {91508, "MPEG4", "1280*720", "29.97 fps", 4000, kAac},
    {91509, "MPEG4", "720*480", "29.97 fps", 2000, kAac},
    {91510, "WMV2", "1280*720", "29.97 fps", 4000, kWma},
    // Zune
    {91600, "WMV2", "320*240", "29.97 fps", 768, kWma},
    {91601, "H.264", "320*240", "29.97 fps", 768, kAac},
    {91602, "MPEG4", "320*240", "29.97 fps", 768, kAac},
};

using Texts = std::vector<std::string>;

std::string Kbps(int kbps) { return std::to_string(kbps) + " kbps"; }
std::string Hertz(int hertz) { return std::to_string(hertz) + " Hz"; }

// The list with the default in it, in the list's order for a number-led text ("376*240" after
// "352*288"), first for any other ("Source size").
Texts WithDefault(Texts choices, const std::string& choice) {
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
Texts SampleRatesFor(const AudioDefaults& audio, std::string_view muxer) {
  if (muxer == "dv") return {Hertz(48000)};
  if (muxer == "swf") return {Hertz(11025), Hertz(22050), Hertz(44100)};
  if (std::string_view(audio.encoder) == "AC3") return {Hertz(32000), Hertz(44100), Hertz(48000)};
  return {Hertz(22050), Hertz(32000), Hertz(44100), Hertz(48000)};
}

// The texts the table names video codecs by; "XVID" and "MSMPEG4V3" are the command line's own.
Texts VideoCodecsOf(const OutputFormat& format) {
  Texts codecs;
  for (std::string_view codec : format.videoEncoders) {
    if (codec != "XVID" && codec != "MSMPEG4V3") codecs.emplace_back(codec);
  }
  return codecs;
}

void Set(Preset& preset, PresetColumn column, Texts choices, std::string defaultChoice) {
  PresetParameter& parameter = preset.parameters[static_cast<std::size_t>(column)];
  parameter.choices = WithDefault(std::move(choices), defaultChoice);
  parameter.defaultChoice = std::move(defaultChoice);
}

}  // namespace

void FillVideoPresetRow(Preset& preset) {
  const auto row = std::find_if(std::begin(kVideoRows), std::end(kVideoRows),
                                [&](const VideoRow& r) { return r.code == preset.code; });
  if (row == std::end(kVideoRows)) return;
  const OutputFormat& format = *OutputChoiceForLabel(preset.displayName).format;
  const AudioDefaults& audio = row->audio;
  const bool dv = format.muxer == "dv";

  Texts encoders(format.audioEncoders.begin(), format.audioEncoders.end());
  Set(preset, PresetColumn::AudioEncoder, encoders, audio.encoder);
  if (audio.kbps > 0) {
    Set(preset, PresetColumn::AudioBitRate,
        {Kbps(32), Kbps(48), Kbps(64), Kbps(96), Kbps(128), Kbps(160), Kbps(192), Kbps(224),
         Kbps(256), Kbps(320)},
        Kbps(audio.kbps));
  }
  Set(preset, PresetColumn::SampleRate, SampleRatesFor(audio, format.muxer), Hertz(audio.hertz));
  const std::string mono = "1 Channel Mono", stereo = "2 Channel Stereo";
  Set(preset, PresetColumn::Channel, dv ? Texts{stereo} : Texts{mono, stereo},
      audio.channels == 1 ? mono : stereo);

  Set(preset, PresetColumn::VideoCodec, VideoCodecsOf(format), row->codec);
  Set(preset, PresetColumn::FrameSize,
      dv ? Texts{"720*480", "720*576"}
         : Texts{"128*96", "176*144", "320*240", "352*240", "352*288", "480*272", "480*320",
                 "640*480", "720*480", "720*576", "1280*720", "1920*1080"},
      row->size);
  Set(preset, PresetColumn::FrameRate,
      dv ? Texts{"25.0 fps", "29.97 fps"}
         : Texts{"10.0 fps", "15.0 fps", "20.0 fps", "23.975 fps", "24.0 fps", "25.0 fps",
                 "29.97 fps", "30.0 fps", "50.0 fps", "60.0 fps"},
      row->rate);
  Set(preset, PresetColumn::VideoBitRate,
      dv ? Texts{}
         : Texts{Kbps(256), Kbps(384), Kbps(512), Kbps(768), Kbps(1000), Kbps(1500), Kbps(2000),
                 Kbps(2500), Kbps(3000), Kbps(4000), Kbps(6000), Kbps(8000), Kbps(10000)},
      Kbps(row->videoKbps));
}

}  // namespace varnell
