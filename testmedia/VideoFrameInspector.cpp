#include "testmedia/VideoFrameInspector.h"

#include <algorithm>
#include <cstdlib>

#include "media/FFmpegHandles.h"
#include "media/SourceFile.h"
#include "media/StreamDecoder.h"
#include "media/VideoScaler.h"
#include "testmedia/FfmpegError.h"
#include "testmedia/PatternVideoWriter.h"

namespace varnell::testmedia {
namespace {

// Colours are averaged over a square this fraction of the picture's height, so that coding
// noise at the edges of blocks does not decide.
constexpr int kSampleFraction = 16;

RgbColour AverageAround(const AVFrame& rgb, int centreX, int centreY, int half) {
  long sums[3] = {0, 0, 0};
  long count = 0;
  for (int y = std::max(centreY - half, 0); y <= std::min(centreY + half, rgb.height - 1); ++y) {
    const std::uint8_t* row = rgb.data[0] + static_cast<std::ptrdiff_t>(y) * rgb.linesize[0];
    for (int x = std::max(centreX - half, 0); x <= std::min(centreX + half, rgb.width - 1); ++x) {
      for (int c = 0; c < 3; ++c) sums[c] += row[3 * x + c];
      ++count;
    }
  }
  if (count == 0) return {};
  return {static_cast<int>(sums[0] / count), static_cast<int>(sums[1] / count),
          static_cast<int>(sums[2] / count)};
}

InspectedPicture Read(const AVFrame& rgb) {
  InspectedPicture picture;
  const int w = rgb.width, h = rgb.height;
  const int half = std::max(h / kSampleFraction / 2, 1);
  picture.quadrants = {
      AverageAround(rgb, w / 4, h / 4, half), AverageAround(rgb, 3 * w / 4, h / 4, half),
      AverageAround(rgb, w / 4, 3 * h / 4, half), AverageAround(rgb, 3 * w / 4, 3 * h / 4, half)};
  const int cellHalf = std::max(w / kPatternNumberCells / 4, 1);
  long long number = 0;
  for (int cell = 0; cell < kPatternNumberCells; ++cell) {
    const int x = (2 * cell + 1) * w / (2 * kPatternNumberCells);
    const RgbColour c = AverageAround(rgb, x, h / 2, std::min(cellHalf, half));
    const int level = (c.red + c.green + c.blue) / 3;
    if (level > 160) {
      number |= 1LL << cell;
    } else if (level > 95) {
      return picture;  // neither black nor white: not a pattern picture
    }
  }
  picture.number = number;
  return picture;
}

}  // namespace

int ColourDistance(const RgbColour& a, const RgbColour& b) {
  return std::max(
      {std::abs(a.red - b.red), std::abs(a.green - b.green), std::abs(a.blue - b.blue)});
}

bool InspectVideo(const std::string& path, VideoReport& report, std::string* error) {
  report = {};
  SourceFile source;
  if (const int rc = source.Open(path); rc < 0)
    return Fail(error, DescribeFFmpegError(source.failedStep(), rc));
  const AVStream* stream = source.stream(source.videoStreamIndex());
  if (stream == nullptr) return Fail(error, "no video stream in " + path);
  StreamDecoder decoder;
  if (const int rc = decoder.Open(*stream); rc < 0) {
    return Fail(error, DescribeFFmpegError("opening the video decoder", rc));
  }
  report.formatName = source.context()->iformat->name;
  report.codec = avcodec_get_name(stream->codecpar->codec_id);
  report.width = stream->codecpar->width;
  report.height = stream->codecpar->height;
  const AVRational rate =
      stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
  report.framesPerSecond = rate.den > 0 ? av_q2d(rate) : 0.0;
  AVRational aspect =
      av_guess_sample_aspect_ratio(source.context(), const_cast<AVStream*>(stream), nullptr);
  if (aspect.num <= 0) aspect = AVRational{1, 1};
  report.displayAspect = report.height > 0 ? report.width * av_q2d(aspect) / report.height : 0.0;
  if (stream->duration != AV_NOPTS_VALUE && stream->duration > 0) {
    report.containerSeconds = stream->duration * av_q2d(stream->time_base);
  }
  source.ReadOnly({stream->index});

  ffmpeg::FramePtr frame(av_frame_alloc());
  ffmpeg::PacketPtr packet(av_packet_alloc());
  if (!frame || !packet) return Fail(error, "out of memory");
  std::unique_ptr<VideoScaler> scaler;
  const auto receiveAll = [&]() -> bool {
    for (;;) {
      const int rc = decoder.Receive(frame.get());
      if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF) return true;
      if (rc < 0) {
        ++report.decodeErrors;
        continue;
      }
      if (!scaler || scaler->width() != frame->width || scaler->height() != frame->height) {
        scaler = std::make_unique<VideoScaler>(frame->width, frame->height, AV_PIX_FMT_RGB24);
      }
      const AVFrame* rgb = nullptr;
      if (const int scaled = scaler->Scale(*frame, &rgb); scaled < 0) {
        return Fail(error, DescribeFFmpegError("converting a picture", scaled));
      }
      InspectedPicture picture = Read(*rgb);
      const std::int64_t ts = frame->best_effort_timestamp != AV_NOPTS_VALUE
                                  ? frame->best_effort_timestamp
                                  : frame->pts;
      picture.seconds = ts == AV_NOPTS_VALUE ? -1.0 : ts * av_q2d(stream->time_base);
      report.pictures.push_back(picture);
      av_frame_unref(frame.get());
    }
  };
  for (;;) {
    const int read = av_read_frame(source.context(), packet.get());
    if (read == AVERROR_EOF) break;
    if (read < 0) return Fail(error, DescribeFFmpegError("reading " + path, read));
    if (packet->stream_index == stream->index && decoder.Send(packet.get()) < 0)
      ++report.decodeErrors;
    av_packet_unref(packet.get());
    if (!receiveAll()) return false;
  }
  decoder.Send(nullptr);
  return receiveAll();
}

}  // namespace varnell::testmedia
