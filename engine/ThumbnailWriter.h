// Thumbnail mode's side file: NAME.THM beside the output NAME.EXT, a 160 x 120 JPEG of the first
// picture it is given. The picture is encoded when it comes and kept in memory (a few kilobytes);
// the file is written only when the output is published, and the two are named as a pair: the
// first NAME(N).EXT and NAME(N).THM that are both free (an existing NAME.EXT, or NAME.THM, makes
// them NAME(0).EXT and NAME(0).THM). An output that is given up leaves no side file. Created
// exclusively and published without replacing anything, like every output. Writing it never
// fails the row: a failure is kept as text for the row's reason. Owned by the thread that owns
// the output.
#pragma once

#include <memory>
#include <string>

#include "engine/ClaimedOutputFile.h"
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
  // Claims the side file of the output requested at outputPath and writes the picture into it,
  // still under its hidden name; nullptr when no picture was taken or it cannot be written
  // (failure() says why).
  std::unique_ptr<ClaimedOutputFile> WriteSideFile(const std::string& outputPath);
  // Publishes `output` and the side file as a pair. Throws as output.Publish() does (the side
  // file is removed then); a side file that cannot be written leaves the output published alone.
  void PublishWith(ClaimedOutputFile& output);

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
