#include "cli/MediaInfoReport.h"

#include "cli/FolderArguments.h"
#include "cli/TerminalText.h"
#include "engine/ClipTime.h"
#include "engine/MediaInformation.h"

namespace varnell {

int PrintMediaInfo(const std::vector<std::string>& files, ResultLines& out,
                   const std::function<bool()>& stopRequested,
                   const std::vector<std::optional<ProbeResult>>& probes) {
  int failed = 0;
  for (std::size_t file = 0; file < files.size(); ++file) {
    if (out.closed() || stopRequested()) break;
    const std::string& path = files[file];
    const ProbeResult probe = KeptOrNewProbe(probes, file, path);
    if (const std::string reason = probe.unconvertibleReason(); !reason.empty()) {
      out.Write("Failure: " + EscapedForTerminal(path) + ": " + EscapedForTerminal(reason) + "\n");
      ++failed;
      continue;
    }
    const MediaInformation info =
        DescribeProbedMedia(probe, path, FormatClipTime(probe.durationSeconds));
    const std::pair<const char*, const std::string*> lines[] = {
        {"Source file", &info.sourcePath},
        {"Media length", &info.mediaLength},
        {"Audio bit rate", &info.audioBitRate},
        {"Sample rate", &info.sampleRate},
        {"Audio channels", &info.channels},
        {"Video bit rate", &info.videoBitRate},
        {"Width", &info.width},
        {"Height", &info.height},
        {"Frame rate", &info.frameRate},
        {"Video codec", &info.videoCodec},
        {"Audio codec", &info.audioCodec},
    };
    std::string report;
    for (const auto& [name, value] : lines)
      report += name + (": " + EscapedForTerminal(*value)) + "\n";
    out.Write(report);
  }
  return failed;
}

}  // namespace varnell
