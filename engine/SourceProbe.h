// What a source file holds, read without converting anything: its streams, lengths and codec
// parameters, or why it cannot be read. The window probes each file it adds and the file
// information window shows the result; varnell-convert probes its files before a batch.
// Any thread; it shares nothing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/SourceChapter.h"
#include "settings/OutputNamePattern.h"

namespace varnell {

struct ProbeResult {
  enum class Failure { None, CannotOpen, NoStreamInfo, NoVideoDecoder, VideoDecoderFails };
  Failure failure = Failure::None;
  std::string failureReason;  // "cannot open source: No such file or directory"

  int videoStreamIndex = -1;  // -1 without a video stream (a cover is not one)
  int audioStreamIndex = -1;

  // Video; all 0 without a video stream. Codec ids are FFmpeg's AVCodecID numbers.
  int videoCodecId = 0;
  int width = 0;
  int height = 0;
  int videoBitRate = 0;
  double frameRate = 0.0;  // whole frames per second
  int frameRateNum = 0;
  int frameRateDen = 0;

  // Audio; all 0 without an audio stream.
  int audioCodecId = 0;
  int audioBitRate = 0;
  int sampleRate = 0;
  int channels = 0;

  // The container's length; negative when it does not say.
  std::int64_t durationMicroseconds = 0;
  std::int64_t durationSeconds = 0;

  // In the container's order, each ending where the next starts or where the file ends.
  std::vector<SourceChapter> chapters;

  // What an output name pattern reads: the container's tags, then the audio stream's over them.
  NameTags tags;

  bool ok() const { return failure == Failure::None; }
  // A source a batch can take: it opens and its length is known.
  bool convertible() const { return ok() && durationSeconds >= 0; }
  // Why a batch cannot take it; empty when it can.
  std::string unconvertibleReason() const {
    if (!ok()) return failureReason;
    return durationSeconds < 0 ? "the length of the source is unknown" : std::string();
  }
};

ProbeResult ProbeSource(const std::string& path);

}  // namespace varnell
