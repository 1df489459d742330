#include "cli/MediaInfoReport.h"

#include "engine/AVConvert.h"
#include "engine/ClipTime.h"
#include "engine/MediaInformation.h"

namespace varnell {

int PrintMediaInfo(const std::vector<std::string>& files, std::FILE* out) {
  AVConvert engine;
  int failed = 0;
  for (const std::string& path : files) {
    engine.probePath = path;
    if (engine.ProbeSourceFile() < 0 || engine.durationSeconds < 0) {
      const std::string reason = engine.probeFailureReason().empty()
                                     ? "the length of the source is unknown"
                                     : engine.probeFailureReason();
      std::fprintf(out, "Failure: %s: %s\n\n", path.c_str(), reason.c_str());
      ++failed;
      continue;
    }
    const MediaInformation info =
        DescribeProbedMedia(engine, path, FormatClipTime(engine.durationSeconds));
    const std::pair<const char*, const std::string*> lines[] = {
        {"Source file", &info.sourcePath},   {"Media length", &info.mediaLength},
        {"Audio bit rate", &info.audioBitRate}, {"Sample rate", &info.sampleRate},
        {"Audio channels", &info.channels},  {"Video bit rate", &info.videoBitRate},
        {"Width", &info.width},              {"Height", &info.height},
        {"Frame rate", &info.frameRate},     {"Video codec", &info.videoCodec},
        {"Audio codec", &info.audioCodec},
    };
    for (const auto& [name, value] : lines) std::fprintf(out, "%s: %s\n", name, value->c_str());
    std::fputc('\n', out);
  }
  return failed;
}

}  // namespace varnell
