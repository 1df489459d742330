// varnell-convert --split-chapters: after the folders have become files, each file with chapters
// is replaced by one entry per chapter, in the chapters' order, each keeping the file's output
// subfolder and its probe. Runs on the calling thread, probing each file the folder scan has not
// probed; a stop ends it there.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/FolderArguments.h"
#include "engine/SourceChapter.h"
#include "engine/SourceProbe.h"

namespace varnell {

// What of its file an entry converts: chapter `number` (from 1), or the whole file for 0.
struct FileChapter {
  int number = 0;
  SourceChapter chapter;
};

struct ChapterArguments {
  std::vector<std::string> files;
  std::vector<std::string> outputSubfolders;       // one per entry
  std::vector<std::optional<ProbeResult>> probes;  // one per entry: its file's probe
  std::vector<FileChapter> chapters;               // one per entry
  // "book.mp3 has no chapters: converted whole", one per file that cannot be split. A file that
  // does not open is left to the batch, which says why.
  std::vector<std::string> notes;
};

// files: what the folders became, with their subfolders and the probes the scan made.
ChapterArguments SplitChapterArguments(const FolderArguments& files,
                                       const std::function<bool()>& stopRequested);

}  // namespace varnell
