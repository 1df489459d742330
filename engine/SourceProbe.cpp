#include "engine/SourceProbe.h"

#include "engine/ConversionFailure.h"
#include "engine/SourceChapters.h"
#include "engine/SourceTags.h"
#include "media/SourceFile.h"
#include "media/StreamDecoder.h"

namespace varnell {
namespace {

// Frame rates above this are a container's tick rate rather than a real rate (30000/1 for
// 29.97 fps material); such rates are read as NUM/1001.
constexpr int kHighestPlausibleFrameRate = 1000;

ProbeResult Failed(ProbeResult::Failure failure, std::string reason) {
  ProbeResult result;
  result.failure = failure;
  result.failureReason = std::move(reason);
  return result;
}

}  // namespace

ProbeResult ProbeSource(const std::string& path) {
  SourceFile source;
  if (const int result = source.OpenInput(path); result < 0) {
    return Failed(ProbeResult::Failure::CannotOpen,
                  DescribeFFmpegError(source.failedStep(), result));
  }
  if (const int result = source.ReadStreamInfo(); result < 0) {
    return Failed(ProbeResult::Failure::NoStreamInfo,
                  DescribeFFmpegError(source.failedStep(), result));
  }
  ProbeResult probe;
  probe.videoStreamIndex = source.videoStreamIndex();
  probe.audioStreamIndex = source.audioStreamIndex();

  // A cover is not a video: the stream choice never takes an attached picture for one.
  if (const AVStream* video = source.stream(probe.videoStreamIndex)) {
    StreamDecoder decoder;
    if (const int result = decoder.Open(*video); result < 0) {
      return result == AVERROR_DECODER_NOT_FOUND
                 ? Failed(ProbeResult::Failure::NoVideoDecoder,
                          std::string("no decoder for video codec ") +
                              avcodec_get_name(video->codecpar->codec_id))
                 : Failed(ProbeResult::Failure::VideoDecoderFails,
                          DescribeFFmpegError("cannot open video decoder", result));
    }
    probe.width = decoder.context()->width;
    probe.height = decoder.context()->height;
    probe.videoCodecId = decoder.context()->codec_id;
    probe.videoBitRate = static_cast<int>(decoder.context()->bit_rate);
    AVRational rate = video->r_frame_rate;
    if (rate.den != 0) {
      if (rate.num / rate.den > kHighestPlausibleFrameRate) rate.den = 1001;
      probe.frameRate = static_cast<double>(rate.num / rate.den);
    }
    probe.frameRateNum = rate.num;
    probe.frameRateDen = rate.den;
  }

  if (const AVStream* audio = source.stream(probe.audioStreamIndex)) {
    probe.audioCodecId = audio->codecpar->codec_id;
    probe.channels = audio->codecpar->ch_layout.nb_channels;
    probe.sampleRate = audio->codecpar->sample_rate;
    probe.audioBitRate = static_cast<int>(audio->codecpar->bit_rate);
  }

  probe.durationMicroseconds = source.context()->duration;
  probe.durationSeconds = probe.durationMicroseconds / 1000000;
  probe.chapters = ChaptersOf(*source.context());
  probe.tags = NameTagsOf(*source.context());
  return probe;
}

}  // namespace varnell
