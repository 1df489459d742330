#include "engine/RowBoundary.h"

#include <exception>
#include <new>

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

std::optional<RowOutcome> RowRefusal(const Job& job, int row) {
  // An unselected row has no path; it is passed over without touching the file system.
  if (!job.rows[row].selected()) return RowOutcome{};
  if (!job.failureReason.empty()) {
    RowOutcome failed;
    failed.status = RowOutcome::Status::Failed;
    failed.reason = job.failureReason;
    return failed;
  }
  if (job.rows[row].existingOutput.empty()) return std::nullopt;
  RowOutcome skipped;
  skipped.status = RowOutcome::Status::Skipped;
  skipped.outputPath = job.rows[row].existingOutput;
  return skipped;
}

FileConversionRequest RequestForRow(const Job& job, int row) {
  const JobRow& task = job.rows[row];
  FileConversionRequest request;
  request.sourcePath = task.sourcePath;
  request.outputPath = task.outputPath;
  request.outputSubfolder = task.outputSubfolder;
  request.format = job.format;
  request.clipBegin = task.clipBegin;
  request.clipLength = task.clipLength;
  request.audio = job.audio;
  request.videoOutput = job.videoOutput;
  request.video = job.video;
  request.thumbnail = job.thumbnail;
  request.chapterTitle = task.chapterTitle;
  request.chapterNumber = task.chapterNumber;
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
