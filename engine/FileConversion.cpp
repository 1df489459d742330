#include "engine/FileConversion.h"

#include <algorithm>

#include "engine/AudioReader.h"
#include "engine/AudioSink.h"
#include "engine/ConversionFailure.h"
#include "engine/OutputFile.h"

namespace varnell {
namespace {

void ReportProgress(const AudioSink& sink, double windowSeconds, std::atomic<int>& percent) {
  if (windowSeconds <= 0.0) return;
  percent = static_cast<int>(std::min(sink.secondsWritten() * 100.0 / windowSeconds, 100.0));
}

}  // namespace

// One reader into one sink. The reader is declared first so that it outlives the output and the
// sink; an output destroyed before its Finish() removes its file.
FileConversionResult ConvertFile(const FileConversionRequest& request,
                                 const std::atomic<bool>& stopFlag,
                                 std::atomic<int>& currentFilePercent) {
  AudioReader reader(request.sourcePath, {request.clipBegin, request.clipLength});
  if (request.clipLength <= 0.0) FailConversion("nothing to convert: the clip ends where it starts");

  OutputFile output(request.outputPath);
  AudioSink sink(request.audio, reader.decodedFormat(), output);
  StartOutputOf(reader, output);
  reader.ConnectTo(sink);

  const double windowSeconds = reader.windowSeconds();
  while (!stopFlag.load() && reader.Step(sink)) {
    ReportProgress(sink, windowSeconds, currentFilePercent);
  }
  const bool stopped = stopFlag.load();
  if (!stopped) reader.CheckSomethingDelivered();
  // A stopped file is kept only when it holds sound; one stopped before its first sample goes
  // the way of a failed one.
  if (stopped && sink.samplesWritten() == 0) return {std::string(), true};
  sink.Flush();
  output.Finish();
  currentFilePercent = 100;
  return {output.path(), stopped, sink.secondsWritten()};
}

void StartOutputOf(const AudioReader& reader, OutputFile& output) {
  output.AddCoverPicture(reader.source().stream(reader.source().coverStreamIndex()));
  output.CopyTags(reader.source().context()->metadata);
  output.CopyTags(reader.stream().metadata);
  output.Start();
}

}  // namespace varnell
