// The engine's video building blocks joined as a worker joins them: a reader, its scaler and
// reducer, a sink on an output file. Plus the pattern sources the video tests convert.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/ConversionFailure.h"
#include "engine/OutputFile.h"
#include "engine/ThumbnailWriter.h"
#include "engine/VideoReader.h"
#include "engine/VideoSink.h"
#include "testmedia/PatternVideoWriter.h"
#include "testmedia/VideoFrameInspector.h"

namespace varnell::testing {

// Largest channel difference still taken for the painted colour after two lossy codings.
inline constexpr int kColourTolerance = 60;

// Converts the source's video into `outputPath`; returns the published name. A thumbnail is
// published with it as a pair, as the worker does. Throws ConversionFailure as a worker would
// see it.
inline std::string ConvertVideo(const std::string& sourcePath, const std::string& outputPath,
                                const VideoTarget& target, ClipWindow clip = {},
                                ThumbnailWriter* thumbnail = nullptr) {
  VideoReader reader(sourcePath, clip);
  const OutputFormat* format =
      OutputFormatOfExtension(std::filesystem::path(outputPath).extension().string());
  if (format == nullptr) FailConversion("no output format for the name " + outputPath);
  OutputFile output(outputPath, *format);
  VideoSink sink(target, reader.facts(), output);
  reader.ConnectTo(sink, thumbnail);
  output.Start();
  while (reader.Step(sink)) {
  }
  reader.CheckSomethingDelivered();
  sink.Flush();
  const std::unique_ptr<ClaimedOutputFile> file = output.Complete();
  if (thumbnail == nullptr) {
    file->Publish();
  } else {
    thumbnail->PublishWith(*file);
  }
  return file->path();
}

inline VideoTarget Target(const std::string& codecName, int width, int height, double rate) {
  VideoTarget target;
  target.codecName = codecName;
  target.width = width;
  target.height = height;
  target.frameRate = rate;
  target.bitRate = 1000000;
  return target;
}

inline std::string WritePattern(const testmedia::PatternVideo& pattern) {
  std::string error;
  if (!testmedia::WritePatternVideo(pattern, &error)) {
    ADD_FAILURE() << "cannot write test media " << pattern.path << ": " << error;
  }
  return pattern.path;
}

inline testmedia::PatternVideo Pattern(const std::string& path) {
  testmedia::PatternVideo pattern;
  pattern.path = path;
  return pattern;
}

inline testmedia::VideoReport InspectPictures(const std::string& path) {
  testmedia::VideoReport report;
  std::string error;
  if (!testmedia::InspectVideo(path, report, &error)) {
    ADD_FAILURE() << "cannot inspect " << path << ": " << error;
  }
  return report;
}

}  // namespace varnell::testing
