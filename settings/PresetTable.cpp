#include "settings/PresetTable.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <utility>

#include "settings/AudioPresetRows.h"
#include "settings/VideoPresetRows.h"

namespace varnell {

const PresetParameter& Preset::parameter(PresetColumn c) const {
  return parameters[static_cast<std::size_t>(c)];
}

namespace {

struct NamedRow {
  int code;
  const char* displayName;
};

// Every row in code order. Codes are 90000 + 100 * group + position; a new row
// must keep that rule and the order, because FindPreset searches by code.
constexpr NamedRow kNamedRows[] = {
    // General Video
    {90000, "ASF - Advanced Streaming Format(*.asf)"},
    {90001, "AVI - Audio-Video Interleaved(*.avi)"},
    {90002, "DV - Digital Video Format(*.dv)"},
    {90003, "DVD -Video(*.vob)"},
    {90004, "DivX -Video(*.avi)"},
    {90005, "H.264 - AVC Video(*.mp4)"},
    {90006, "MOV - QuickTime Video(*.mov)"},
    {90007, "MP4 -MPEG-4 Video(*.mp4)"},
    {90008, "MPEG-1 - Video(*.mpg)"},
    {90009, "MPEG-2 - Video(*.mpg)"},
    {90010, "RM -Real Video(*.rm)"},
    {90011, "VCD -Video(*.mpg)"},
    {90012, "WMV -Windows Media Video(*.wmv)"},
    {90013, "MKV -Matroska Video(*.mkv)"},
    // General Audio
    {90100, "AAC -Advanced Audio Codec(*.aac)"},
    {90101, "AC3 -Dolby Digital AC-3(*.ac3)"},
    {90102, "AIFF - Audio Interchange File Format(*.aiff)"},
    {90103, "AU - SUN AU Format(*.au)"},
    {90104, "M4A - MPEG-4 Audio(*.m4a)"},
    {90105, "MP2 - MPEG Layer-2 Audio(*.MP2)"},
    {90106, "MP3 - MPEG Layer-3 Audio(*.MP3)"},
    {90107, "OGG -Ogg Vorbis Audio(*.ogg)"},
    {90108, "RA -Real Audio(*.ra)"},
    {90109, "WAV -Waveform Audio(*.wav)"},
    {90110, "WMA -Windows Media Audio(*.wma)"},
    {90111, "OPUS - Opus Audio(*.opus)"},
    {90112, "M4B - MPEG-4 Audiobook(*.m4b)"},
    // Apple TV
    {90200, "Apple TV - H.264 Video(*.MP4)"},
    {90201, "Apple TV - H.264 HD Video(*.MP4)"},
    {90202, "Apple TV - MPEG4 Video(*.MP4)"},
    // HD video
    {90300, "HD - ASF Video(*.asf)"},
    {90301, "HD - AVI Video(*.avi)"},
    {90302, "HD - DivX Video(*.avi)"},
    {90303, "HD - H.264 Video(*.mp4)"},
    {90304, "HD - MOV Video(*.mov)"},
    {90305, "HD MPEG2-TS Video(*.ts)"},
    {90306, "HD - MPEG2-PS HD Video(*.mpg)"},
    {90307, "HD - MPEG4 Video(*.mp4)"},
    {90308, "HD - RM Video(*.rm)"},
    {90309, "HD - WMV Video(*.wmv)"},
    {90310, "HD - MKV Video(*.mkv)"},
    // iPod
    {90400, "iPod H.264(*.mp4)"},
    {90401, "iPod H.264 for TV(*.mp4)"},
    {90402, "iPod MPEG4 Video(*.MP4)"},
    {90403, "iPod MPEG4 Video for TV(*.MP4)"},
    {90404, "iPod nano5 H.264 Video(*.MP4)"},
    {90405, "iPod nano5 MPEG4 Video(*.MP4)"},
    {90406, "iPod touch H.264 Video(*.MP4)"},
    {90407, "iPod touch H.264 Video for TV(*.MP4)"},
    {90408, "iPod touch MPEG4(*.mp4)"},
    {90409, "iPod touch MPEG4 for TV(*.mp4)"},
    // iPad
    {90500, "iPad Video H.264(*.mp4)"},
    {90501, "iPad HD Video(*.mp4)"},
    {90502, "iPad Video MPEG4(*.MP4)"},
    {90503, "iPad QuickTime(*.mov)"},
    // iPhone
    {90600, "iPhone 3GS MPEG4 Video(*.mp4)"},
    {90601, "iPhone 3GS H.264 Video(*.mp4)"},
    {90602, "iPhone 3G MPEG-4 Video(*.mp4)"},
    {90603, "iPhone 3G H.264 Video(*.mp4)"},
    {90604, "iPhone HD 4G Video(*.mp4)"},
    {90605, "iPhone MPEG-4 Video(*.mp4)"},
    {90606, "iPhone H.264 Video(*.mp4)"},
    // Lossless
    {90700, "OGG - Ogg Vorbis Audio(*.ogg)"},
    {90701, "FLAC -Free Lossless Audio Codec(*.flac)"},
    {90702, "WAV -Waveform Audio(*.wav)"},
    {90703, "WMA -Windows Media Audio(*.wma)"},
    // Mobile phone
    {90800, "3GP -3GP Mobile Phone 3GP - Mono(*.3gp)"},
    {90801, "3GP -3GP Mobile Phone 3GP - Stereo(*.3gp)"},
    {90802, "3GP - BlackBerry 3GP Video(*.3gp)"},
    {90803, "BlackBerry AVI Video(*.avi)"},
    {90804, "BlackBerry MPEG4 Video(*.mp4)"},
    {90805, "WMA -Windows Media Audio(*.wma)"},
    {90806, "WMV -Windows Media Video(*.wmv)"},
    // Android
    {90900, "Android - MPEG4 Video(*.mp4)"},
    {90901, "HTC G2 Magic - MPEG4 Video(*.mp4)"},
    {90902, "HTC Hero - MPEG4 Video(*.mp4)"},
    {90903, "HTC Tattoo - MPEG4 Video(*.mp4)"},
    {90904, "Motorola CLIQ - MPEG4 Video(*.mp4)"},
    {90905, "Motorola Droid - MPEG4 Video(*.mp4)"},
    {90906, "Nexus One - MPEG4 Video(*.mp4)"},
    {90907, "SamSung i7500 - MPEG4 Video(*.mp4)"},
    // Animation
    {91000, "FLV-Flash Video(*.flv)"},
    {91001, "SWF -SWF Format(*.swf)"},
    {91002, "F4V-F4V Format(*.flv)"},
    // Portable media players
    {91100, "Archos H.264 Video(*.mp4)"},
    {91101, "Archos MPEG4 Video(*.mp4)"},
    {91102, "Archos WMV Video(*.wmv)"},
    {91103, "Creative ZEN H.264 Video(*.mp4)"},
    {91104, "Creative ZEN MPEG4 Video(*.mp4)"},
    {91105, "Creative ZEN WMV Video(*.wmv)"},
    {91106, "iRiver H.264 Video(*.mp4)"},
    {91107, "iRiver MPEG4 Video(*.mp4)"},
    {91108, "iRiver WMV Video(*.wmv)"},
    // PS3
    {91200, "PS3 H.264 Video(*.mp4)"},
    {91201, "PS3 DivX Video(*.avi)"},
    {91202, "PS3 DivX HD Video(*.avi)"},
    {91203, "PS3 H.264 HD Video(*.mp4)"},
    {91204, "PS3 MPEG2 Video(*.mpg)"},
    {91205, "PS3 MPEG2-PS HD Video(*.mpg)"},
    {91206, "PS3 MPEG2-TS HD Video(*.ts)"},
    {91207, "PS3 WMV Video(*.wmv)"},
    {91208, "PS3 WMV HD Video(*.wmv)"},
    // PSP
    {91300, "PSP H.264 Video(*.MP4)"},
    {91301, "PSP H.264 Video for TV(*.MP4)"},
    {91302, "PSP H.264 Video for firmware 2.00 and above(*.MP4)"},
    {91303, "PSP MPEG4 Video(*.MP4)"},
    // Wii and DS
    {91400, "NDS - DPG Video(*.dpg)"},
    {91401, "NDS - DPG2 Video(*.dpg)"},
    {91402, "NDS - DPG3 Video(*.dpg)"},
    {91403, "NDS - DPG3 Video(*.dpg)"},
    {91404, "Wii - AVI Video(*.avi)"},
    {91405, "Wii - MOV Video(*.mov)"},
    // Xbox
    {91500, "Xbox360 WMV Video(*.wmv)"},
    {91501, "Xbox360 DivX HD Video(*.avi)"},
    {91502, "Xbox360 DivX Video(*.avi)"},
    {91503, "Xbox360 H.264 HD Video(*.mp4)"},
    {91504, "Xbox360 H.264 Video(*.mp4)"},
    {91505, "Xbox360 MPEG2 Video(*.mpg)"},
    {91506, "Xbox360 MPEG2-PS HD Video(*.mpg)"},
    {91507, "Xbox360 MPEG2-TS HD Video(*.ts)"},
    {91508, "Xbox360 MPEG4 HD Video(*.mp4)"},
    {91509, "Xbox360 MPEG4 Video(*.mp4)"},
    {91510, "Xbox360 WMV HD Video(*.wmv)"},
    // Zune
    {91600, "ZUNE WMV Video(*.wmv)"},
    {91601, "ZUNE H.264 Video(*.mp4)"},
    {91602, "ZUNE MPEG4 Video(*.mp4)"},
};

bool IsAudioOnlyCode(int code) {
  return (code >= 90100 && code <= 90112) || (code >= 90700 && code <= 90703) || code == 90805;
}

bool IsThumbnailCode(int code) { return code >= 91300 && code <= 91303; }

void SetParameter(Preset& preset, PresetColumn column, std::vector<std::string> choices,
                  std::string defaultChoice) {
  PresetParameter& parameter = preset.parameters[static_cast<std::size_t>(column)];
  parameter.choices = std::move(choices);
  parameter.defaultChoice = std::move(defaultChoice);
}

// Only the rows this build can select, plus one video row kept as the model
// for the video columns, carry their lists. The rest stay with empty lists,
// which the dialog handles like any other preset.
void FillAsfVideoRow(Preset& p) {
  SetParameter(p, PresetColumn::AudioEncoder, {"MP3", "MP2"}, "MP3");
  SetParameter(p, PresetColumn::AudioBitRate,
               {"64 kbps", "96 kbps", "128 kbps", "160 kbps", "192 kbps", "256 kbps", "320 kbps"},
               "128 kbps");
  SetParameter(p, PresetColumn::SampleRate, {"44100 Hz", "48000 Hz", "22050 Hz", "32000 Hz"},
               "44100 Hz");
  SetParameter(p, PresetColumn::Channel, {"1 Channel Mono", "2 Channel Stereo"},
               "2 Channel Stereo");
  SetParameter(p, PresetColumn::VideoCodec, {"WMV1", "WMV2", "MPEG4"}, "MPEG4");
  SetParameter(p, PresetColumn::FrameSize,
               {"128*96", "176*144", "320*240", "352*240", "352*288", "640*480", "720*480",
                "704*576", "720*576"},
               "320*240");
  SetParameter(p, PresetColumn::FrameRate,
               {"10.0 fps", "15.0 fps", "20.0 fps", "23.975 fps", "24.0 fps", "25.0 fps",
                "29.97 fps", "30.0 fps", "50.0 fps", "60.0 fps"},
               "29.97 fps");
  SetParameter(p, PresetColumn::VideoBitRate,
               {"128 kbps", "256 kbps", "512 kbps", "768 kbps", "1000 kbps", "1200 kbps",
                "1500 kbps", "2000 kbps", "2500 kbps", "3000 kbps", "3500 kbps", "4000 kbps"},
               "1000 kbps");
}

std::vector<Preset> BuildPresets() {
  std::vector<Preset> presets;
  presets.reserve(std::size(kNamedRows));
  for (const NamedRow& row : kNamedRows) {
    Preset preset;
    preset.code = row.code;
    preset.displayName = row.displayName;
    preset.audioOnly = IsAudioOnlyCode(row.code);
    preset.thumbnail = IsThumbnailCode(row.code);
    if (row.code == 90000) FillAsfVideoRow(preset);
    if (!preset.audioOnly) FillVideoPresetRow(preset);
    FillAudioPresetRow(preset);
    presets.push_back(std::move(preset));
  }
  return presets;
}

}  // namespace

const std::vector<Preset>& AllPresets() {
  static const std::vector<Preset> presets = BuildPresets();
  return presets;
}

const Preset* FindPreset(int code) {
  const std::vector<Preset>& presets = AllPresets();
  auto it = std::lower_bound(presets.begin(), presets.end(), code,
                             [](const Preset& preset, int wanted) { return preset.code < wanted; });
  return (it != presets.end() && it->code == code) ? &*it : nullptr;
}

const Preset& PresetOrEmpty(int code) {
  static const Preset empty;
  const Preset* preset = FindPreset(code);
  return preset ? *preset : empty;
}

}  // namespace varnell
