// varnell-convert --split-chapters: after the folders have become files, each file with chapters
// is replaced by one entry per chapter, in the chapters' order, each keeping the file's output
// subfolder. Runs on the calling thread, probing each file once; a stop ends it there.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/SourceChapter.h"

namespace varnell {

// What of its file an entry converts: chapter `number` (from 1), or the whole file for 0.
struct FileChapter {
  int number = 0;
  SourceChapter chapter;
};

struct ChapterArguments {
  std::vector<std::string> files;
  std::vector<std::string> outputSubfolders;  // one per entry
  std::vector<FileChapter> chapters;          // one per entry
  // "book.mp3 has no chapters: converted whole", one per file that cannot be split. A file that
  // does not open is left to the batch, which says why.
  std::vector<std::string> notes;
};

// outputSubfolders: one per file, or empty when every file goes straight into the output folder.
ChapterArguments SplitChapterArguments(const std::vector<std::string>& files,
                                       const std::vector<std::string>& outputSubfolders,
                                       const std::function<bool()>& stopRequested);

}  // namespace varnell
