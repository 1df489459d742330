#include "cli/ChapterArguments.h"

#include "engine/ChapterRows.h"
#include "engine/SourceProbe.h"

namespace varnell {

ChapterArguments SplitChapterArguments(const FolderArguments& files,
                                       const std::function<bool()>& stopRequested) {
  ChapterArguments split;
  for (std::size_t file = 0; file < files.files.size() && !stopRequested(); ++file) {
    const std::string& path = files.files[file];
    const std::string subfolder =
        file < files.outputSubfolders.size() ? files.outputSubfolders[file] : "";
    const ProbeResult probe = KeptOrNewProbe(files.probes, file, path);
    const bool splits = probe.convertible() && probe.chapters.size() >= kFewestChaptersToSplit;
    if (!splits) {
      if (probe.convertible()) {
        split.notes.push_back(
            path + (probe.chapters.empty() ? " has no chapters" : " has only one chapter") +
            ": converted whole");
      }
      split.files.push_back(path);
      split.outputSubfolders.push_back(subfolder);
      split.probes.emplace_back(probe);
      split.chapters.emplace_back();
      continue;
    }
    for (std::size_t index = 0; index < probe.chapters.size(); ++index) {
      split.files.push_back(path);
      split.outputSubfolders.push_back(subfolder);
      split.probes.emplace_back(probe);
      split.chapters.push_back({static_cast<int>(index) + 1, probe.chapters[index]});
    }
  }
  return split;
}

}  // namespace varnell
