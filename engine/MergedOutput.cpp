#include "engine/MergedOutput.h"

#include "engine/AudioReader.h"
#include "engine/ConversionFailure.h"
#include "engine/MergeProgress.h"

namespace varnell {

bool MergedOutput::MergeRow(const FileConversionRequest& request,
                            const std::atomic<bool>& stopFlag, MergeProgress& progress) {
  AudioReader reader(request.sourcePath, {request.clipBegin, request.clipLength});
  if (request.clipLength <= 0.0) FailConversion("nothing to convert: the clip ends where it starts");
  if (!sink_) SetUp(reader, request.outputPath);
  reader.ConnectTo(*sink_);
  while (!stopFlag.load() && reader.Step(*sink_)) progress.Report(seconds());
  if (stopFlag.load()) return true;
  reader.CheckSomethingDelivered();
  return false;
}

void MergedOutput::SetUp(const AudioReader& reader, const std::string& outputPath) {
  try {
    output_.emplace(outputPath);
    sink_.emplace(target_, reader.decodedFormat(), *output_);
    StartOutputOf(reader, *output_);
  } catch (...) {
    outputFailed_ = true;
    throw;
  }
}

bool MergedOutput::broken() const { return outputFailed_ || (sink_ && sink_->failed()); }

void MergedOutput::DropIfSilent() {
  if (!holdsSound()) Discard();
}

void MergedOutput::Discard() {
  sink_.reset();
  output_.reset();
}

std::string MergedOutput::Finish() {
  sink_->Flush();
  try {
    output_->Finish();
  } catch (...) {
    outputFailed_ = true;
    throw;
  }
  return output_->path();
}

}  // namespace varnell
