#include "engine/AVConvert.h"

#include <algorithm>
#include <system_error>

#include "engine/ConversionFailure.h"
#include "media/SourceFile.h"
#include "media/StreamDecoder.h"

namespace varnell {
namespace {

// Frame rates above this are a container's tick rate rather than a real rate (30000/1 for
// 29.97 fps material); such rates are read as NUM/1001.
constexpr int kHighestPlausibleFrameRate = 1000;

}  // namespace

AVConvert::AVConvert() = default;

AVConvert::~AVConvert() {
  stopFlag = true;
  JoinWorker();
}

int AVConvert::ProbeSourceFile() {
  JoinWorker();
  videoStreamIndex = audioStreamIndex = -1;
  probeFailureReason_.clear();
  const auto fail = [this](int code, const std::string& reason) {
    probeFailureReason_ = reason;
    return code;
  };

  SourceFile source;
  if (const int result = source.OpenInput(probePath); result < 0) {
    return fail(kProbeCannotOpen, DescribeFFmpegError(source.failedStep(), result));
  }
  if (const int result = source.ReadStreamInfo(); result < 0) {
    return fail(kProbeNoStreamInfo, DescribeFFmpegError(source.failedStep(), result));
  }
  videoStreamIndex = source.videoStreamIndex();
  audioStreamIndex = source.audioStreamIndex();

  // Without a video stream every video value is 0, so nothing of an earlier probe stays behind.
  // A cover is not a video: the stream choice never takes an attached picture for one.
  sourceWidth = sourceHeight = videoCodecId = videoBitRate = 0;
  sourceFrameRate = 0.0;
  frameRateNum = frameRateDen = 0;
  if (const AVStream* video = source.stream(videoStreamIndex)) {
    StreamDecoder decoder;
    if (const int result = decoder.Open(*video); result < 0) {
      return result == AVERROR_DECODER_NOT_FOUND
                 ? fail(kProbeNoVideoDecoder,
                        std::string("no decoder for video codec ") +
                            avcodec_get_name(video->codecpar->codec_id))
                 : fail(kProbeVideoDecoderFails,
                        DescribeFFmpegError("cannot open video decoder", result));
    }
    sourceWidth = decoder.context()->width;
    sourceHeight = decoder.context()->height;
    videoCodecId = decoder.context()->codec_id;
    videoBitRate = static_cast<int>(decoder.context()->bit_rate);
    AVRational rate = video->r_frame_rate;
    if (rate.den != 0) {
      if (rate.num / rate.den > kHighestPlausibleFrameRate) rate.den = 1001;
      sourceFrameRate = static_cast<double>(rate.num / rate.den);
    }
    frameRateNum = rate.num;
    frameRateDen = rate.den;
  }

  audioCodecId = channels = sampleRate = audioBitRate = 0;
  if (const AVStream* audio = source.stream(audioStreamIndex)) {
    audioCodecId = audio->codecpar->codec_id;
    channels = audio->codecpar->ch_layout.nb_channels;
    sampleRate = audio->codecpar->sample_rate;
    audioBitRate = static_cast<int>(audio->codecpar->bit_rate);
  }

  durationMicroseconds = source.context()->duration;
  fileSize = source.fileSizeLow32();
  durationSeconds = durationMicroseconds / 1000000;
  return kProbeOk;
}

void AVConvert::ResetJob(int rows) {
  JoinWorker();
  rows = std::max(rows, 0);
  rowCount = rows;
  taskCount = 0;
  sourcePaths.assign(rows, std::string());
  outputPaths.assign(rows, std::string());
  clipBegin.assign(rows, 0.0);
  clipEnd.assign(rows, 0.0);
  clipLength.assign(rows, 0.0);
  failureReasons_.assign(rows, std::string());
  secondsWritten_.assign(rows, 0.0);
  taskStatus_ = std::vector<std::atomic<std::uint8_t>>(rows);
  for (auto& status : taskStatus_) status = kTaskPending;
  rowRunning_ = std::vector<std::atomic<bool>>(rows);
  rowPercent_ = std::vector<std::atomic<int>>(rows);
  for (auto& percent : rowPercent_) percent = -1;
  mergeTotalSeconds = 0;
  mergeTotalLength = 0.0;
  mergedOutputPath.clear();
  mergeFailureReason.clear();
}

std::uint8_t AVConvert::taskStatus(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= taskStatus_.size()) return kTaskPending;
  return taskStatus_[row].load();
}

bool AVConvert::rowRunning(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= rowRunning_.size()) return false;
  return rowRunning_[row].load();
}

int AVConvert::rowPercent(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= rowPercent_.size()) return -1;
  return rowPercent_[row].load();
}

int AVConvert::EffectiveRowWorkers() const {
  if (rowWorkers > 0) return rowWorkers;
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

double AVConvert::secondsWritten(int row) const {
  if (row < 0 || static_cast<std::size_t>(row) >= secondsWritten_.size()) return 0.0;
  return secondsWritten_[row];
}

const std::string& AVConvert::failureReason(int row) const {
  static const std::string kNone;
  if (row < 0 || static_cast<std::size_t>(row) >= failureReasons_.size()) return kNone;
  return failureReasons_[row];
}

void AVConvert::StartConvertFiles() { StartWorker(&ConvertFilesThread); }

void AVConvert::StartMergeFiles() { StartWorker(&MergeFilesThread); }

void AVConvert::StartWorker(void (*work)(AVConvert*)) {
  JoinWorker();
  workerRunning_ = true;
  try {
    worker_ = std::thread([this, work] {
      work(this);
      if (onWorkerEnding) onWorkerEnding();
      workerRunning_ = false;
    });
  } catch (const std::system_error& error) {
    // No worker will move currentTaskIndex, so the rows end here: every one failed, and the
    // index past the last row, which is what a caller's completion scan waits for.
    const std::string reason = std::string("cannot start the conversion thread: ") + error.what();
    const int rows = std::min<int>(rowCount, static_cast<int>(taskStatus_.size()));
    for (int row = 0; row < rows; ++row) {
      failureReasons_[row] = reason;
      taskStatus_[row] = kTaskFailed;
    }
    mergeFailureReason = reason;
    currentTaskIndex = rows;
    workerRunning_ = false;
  }
}

void AVConvert::JoinWorker() {
  if (worker_.joinable()) worker_.join();
}

}  // namespace varnell
