// A row's output once its conversion has ended: the complete file still under its hidden name (or
// none, when a stop came before the first sample) and its thumbnail picture in memory, waiting for
// its turn to be named. It holds the file's descriptor and lock and its folder's descriptor but
// nothing of the row's pipeline, so a row that waits for an earlier one costs two descriptors and
// a few bytes. Made on the row's thread; published by whichever thread's turn it is, under the
// worker's lock.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "engine/ClaimedOutputFile.h"
#include "engine/ThumbnailWriter.h"

namespace varnell {

struct FileConversionResult {
  std::string outputPath;  // the name actually written; empty when a stop left no file
  bool stopped = false;    // the stop flag ended the file early; the output is shorter but valid
  double seconds = 0.0;    // the sound the output holds
  std::string note;        // what went wrong without failing the row (a thumbnail not written);
                           // several notes are joined with "; "
};

class CompletedOutput {
 public:
  // No file: a stop ended the row before it held anything.
  CompletedOutput() = default;
  CompletedOutput(std::unique_ptr<ClaimedOutputFile> file, std::optional<ThumbnailWriter> thumbnail,
                  bool stopped, double seconds);

  // Something the row's file lacks that did not fail the row ("cover left out: ..."); the notes
  // become the result's note, in the order they were added, after publishing.
  void AddNote(std::string note);

  // Gives the file the first free name of the collision loop, its thumbnail the matching name
  // beside it. Throws ConversionFailure when the file cannot be named; it is removed then.
  FileConversionResult Publish();

 private:
  std::unique_ptr<ClaimedOutputFile> file_;
  std::optional<ThumbnailWriter> thumbnail_;
  bool stopped_ = true;
  double seconds_ = 0.0;
  std::string notes_;
};

// Joins a note onto the notes before it: "first; second".
void AppendNote(std::string& notes, std::string_view note);

}  // namespace varnell
