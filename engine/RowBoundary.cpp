#include "engine/RowBoundary.h"

#include <exception>
#include <new>

#include "engine/AVConvert.h"
#include "engine/ConversionFailure.h"

namespace varnell {

RowResult ConvertRow(const FileConversionRequest& request, const std::atomic<bool>& stopFlag,
                     RowProgress progress, ConvertFileFunction convert) {
  RowResult row;
  std::optional<std::string> failure =
      FailureOf([&] { row.converted = convert(request, stopFlag, progress); });
  if (failure) row.failureReason = std::move(*failure);
  return row;
}

std::optional<std::string> RowRefusal(const AVConvert& engine, int row) {
  // An unchecked row has no path; it is passed over without touching the file system.
  if (engine.sourcePaths[row].empty()) return "not selected for conversion";
  if (!engine.jobFailureReason.empty()) return engine.jobFailureReason;
  return std::nullopt;
}

FileConversionRequest RequestForRow(const AVConvert& engine, int row) {
  FileConversionRequest request;
  request.sourcePath = engine.sourcePaths[row];
  request.outputPath = engine.outputPaths[row];
  request.clipBegin = engine.clipBegin[row];
  request.clipLength = engine.clipLength[row];
  request.audio = {engine.audioCodecId, engine.audioBitRate, engine.sampleRate, engine.channels};
  request.videoOutput = engine.videoOutputFlag;
  request.video = {engine.videoCodecName, engine.videoCodecId,    engine.targetWidth,
                   engine.targetHeight,   engine.targetFrameRate, engine.videoBitRate};
  request.thumbnail = engine.thumbnailMode == 1;
  return request;
}

std::optional<std::string> FailureOf(const std::function<void()>& work) {
  try {
    work();
    return std::nullopt;
  } catch (const ConversionFailure& failure) {
    return failure.what();
  } catch (const std::bad_alloc&) {
    return "out of memory";
  } catch (const std::exception& error) {
    return std::string("unexpected error: ") + error.what();
  } catch (...) {
    return "unexpected error";
  }
}

}  // namespace varnell
