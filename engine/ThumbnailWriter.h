// Thumbnail mode's side file: NAME.THM beside the output NAME.EXT, a 160 x 120 JPEG of the first
// picture it is given. The picture is encoded when it comes and kept in memory (a few kilobytes);
// the file is written only once the output is published, so it is named after the output's final
// name (a collision makes the output NAME(0).EXT, and the side file NAME(0).THM with it) and an
// output that is given up leaves no side file. Created exclusively and published without
// replacing anything, like every output (an existing NAME.THM stays). Writing it never fails the
// row: a failure is kept as text for the row's reason. Owned by the worker thread of its file.
#pragma once

#include <string>

#include "media/FFmpegHandles.h"

namespace varnell {

class ThumbnailWriter {
 public:
  static constexpr int kWidth = 160;
  static constexpr int kHeight = 120;

  // The output path with its extension replaced by ".THM".
  static std::string SidePath(const std::string& outputPath);

  // Encodes `picture` (any size and format a decoder gives) the first time; later calls do
  // nothing.
  void Take(const AVFrame& picture);
  // Writes the side file beside the published output; nothing when no picture was taken.
  void PublishBeside(const std::string& outputPath);

  bool taken() const { return taken_; }
  // The published name once written.
  const std::string& path() const { return path_; }
  // Empty, or why the side file could not be written.
  const std::string& failure() const { return failure_; }

 private:
  std::string EncodeJpeg(const AVFrame& picture) const;
  std::string jpeg_;
  std::string path_;
  std::string failure_;
  bool taken_ = false;
};

}  // namespace varnell
