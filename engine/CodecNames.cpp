#include "engine/CodecNames.h"

extern "C" {
#include <libavcodec/codec_id.h>
}

#include <array>
#include <utility>

namespace varnell {
namespace {

template <typename Value, std::size_t N>
std::optional<Value> Lookup(const std::array<std::pair<std::string_view, Value>, N>& table,
                            std::string_view key) {
  for (const auto& [text, value] : table) {
    if (text == key) return value;
  }
  return std::nullopt;
}

// These doubles are the very constants the video encoder's frame-rate table compares with.
constexpr std::array<std::pair<std::string_view, double>, 12> kFrameRates{{
    {"10.0 fps", 10.0},
    {"12.0 fps", 12.0},
    {"14.985 fps", 14.985},
    {"15.0 fps", 15.0},
    {"20.0 fps", 20.0},
    {"23.975 fps", 23.975},
    {"24.0 fps", 24.0},
    {"25.0 fps", 25.0},
    {"29.97 fps", 29.97},
    {"30.0 fps", 30.0},
    {"50.0 fps", 50.0},
    {"60.0 fps", 60.0},
}};

// FFmpeg no longer has a separate Xvid codec id: Xvid streams are MPEG-4 part 2.
constexpr std::array<std::pair<std::string_view, int>, 13> kVideoCodecs{{
    {"MPEG4", AV_CODEC_ID_MPEG4},
    {"H.264", AV_CODEC_ID_H264},
    {"H.263", AV_CODEC_ID_H263},
    {"DivX", AV_CODEC_ID_MSMPEG4V3},
    {"FLV", AV_CODEC_ID_FLV1},
    {"WMV1", AV_CODEC_ID_WMV1},
    {"WMV2", AV_CODEC_ID_WMV2},
    {"MPEG1VIDEO", AV_CODEC_ID_MPEG1VIDEO},
    {"MPEG2VIDEO", AV_CODEC_ID_MPEG2VIDEO},
    {"DVVIDEO", AV_CODEC_ID_DVVIDEO},
    {"RV20", AV_CODEC_ID_RV20},
    {"M-JPEG", AV_CODEC_ID_MJPEG},
    {"XVID", AV_CODEC_ID_MPEG4},
}};

constexpr std::array<std::pair<std::string_view, int>, 18> kAudioCodecs{{
    {"AAC", AV_CODEC_ID_AAC},
    {"AC3", AV_CODEC_ID_AC3},
    {"AMR_NB", AV_CODEC_ID_AMR_NB},
    {"MP3", AV_CODEC_ID_MP3},
    {"MP2", AV_CODEC_ID_MP2},
    {"WMA7", AV_CODEC_ID_WMAV1},
    {"WMA8", AV_CODEC_ID_WMAV2},
    {"VORBIS", AV_CODEC_ID_VORBIS},
    {"FLAC", AV_CODEC_ID_FLAC},
    {"PCM_S16LE", AV_CODEC_ID_PCM_S16LE},
    {"PCM_S16BE", AV_CODEC_ID_PCM_S16BE},
    {"PCM_S8", AV_CODEC_ID_PCM_S8},
    {"PCM_U8", AV_CODEC_ID_PCM_U8},
    {"PCM_MULAW", AV_CODEC_ID_PCM_MULAW},
    {"PCM_ALAW", AV_CODEC_ID_PCM_ALAW},
    {"APE", AV_CODEC_ID_APE},
    {"ALAC", AV_CODEC_ID_ALAC},
    {"OPUS", AV_CODEC_ID_OPUS},
}};

}  // namespace

std::optional<double> FrameRateFromText(std::string_view text) { return Lookup(kFrameRates, text); }

std::vector<std::string_view> FrameRateTexts() {
  std::vector<std::string_view> texts;
  for (const auto& entry : kFrameRates) texts.push_back(entry.first);
  return texts;
}
std::optional<int> VideoCodecIdFromName(std::string_view name) {
  return Lookup(kVideoCodecs, name);
}
std::optional<int> AudioCodecIdFromName(std::string_view name) {
  return Lookup(kAudioCodecs, name);
}

int Mp3CodecId() { return AV_CODEC_ID_MP3; }
int Wma7CodecId() { return AV_CODEC_ID_WMAV1; }
int Wma8CodecId() { return AV_CODEC_ID_WMAV2; }

}  // namespace varnell
