#include "engine/AudioContainers.h"

extern "C" {
#include <libavcodec/codec_id.h>
#include <libavformat/avformat.h>
}

namespace varnell {
namespace {

// Found by writing each encoder into each muxer of the preset table with FFmpeg 5.1. Raw and
// single-codec muxers (adts, ac3, flac, ...) would take any stream and write bytes no player
// reads as that format, so they are refused in words rather than left to write a file that only
// looks right. WMA is refused in MPEG-TS, which has no stream type for it.
struct AudioContainerRule {
  const char* muxer;
  bool mp3;
  bool wma;
};
constexpr AudioContainerRule kAudioContainerRules[] = {
    {"mp3", true, false},     {"mp2", true, false},   {"mp4", true, false},
    {"mpeg", true, false},    {"dvd", true, false},   {"vob", true, false}, {"svcd", true, false},
    {"vcd", true, false},
    {"swf", true, false},     {"flv", true, false},   {"mpegts", true, false},
    {"asf", true, true},      {"asf_stream", true, true}, {"avi", true, true},
    {"matroska", true, true}, {"mov", true, true},    {"wav", true, true},
};

}  // namespace

std::optional<std::string> AudioContainerRefusal(int codecId, std::string_view muxerName) {
  const bool mp3 = codecId == AV_CODEC_ID_MP3;
  for (const AudioContainerRule& rule : kAudioContainerRules) {
    if (muxerName == rule.muxer && (mp3 ? rule.mp3 : rule.wma)) return std::nullopt;
  }
  return std::string(mp3 ? "MP3" : "WMA") + " audio cannot be stored in the " +
         std::string(muxerName) + " format";
}

std::string MuxerNameFor(std::string_view fileName) {
  // av_guess_format looks at the extension only; a bare extension gets a name to stand on.
  const std::string name = fileName.starts_with('.') ? "x" + std::string(fileName)
                                                     : std::string(fileName);
  const AVOutputFormat* format = av_guess_format(nullptr, name.c_str(), nullptr);
  return format != nullptr ? format->name : std::string();
}

}  // namespace varnell
