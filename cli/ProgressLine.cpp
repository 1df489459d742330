#include "cli/ProgressLine.h"

#include <algorithm>

#include "cli/TerminalText.h"
#include "engine/BatchTimeLeft.h"

namespace varnell {
namespace {
constexpr int kBarWidth = 20;
constexpr std::size_t kNameWidth = 32;

bool IsUtf8Continuation(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

std::string FileName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  std::string name = EscapedForTerminal(slash == std::string::npos ? path : path.substr(slash + 1));
  if (name.size() > kNameWidth) {
    std::size_t cut = kNameWidth - 3;
    while (cut > 0 && IsUtf8Continuation(name[cut])) --cut;  // never half a character
    name = name.substr(0, cut) + "...";
  }
  return name;
}
}  // namespace

ProgressLine::ProgressLine(std::FILE* stream, bool enabled, int totalFiles)
    : stream_(stream), enabled_(enabled), totalFiles_(totalFiles) {}

// While files are being converted the bar shows their mean percent; between files, and once the
// batch has ended, the share of the files that have ended.
std::string ProgressLine::Format(const std::vector<ActiveFile>& active, int ended, int totalFiles,
                                 std::optional<double> secondsLeft) {
  int percent = 0;
  if (!active.empty()) {
    for (const ActiveFile& file : active) percent += std::clamp(file.percent, 0, 100);
    percent /= static_cast<int>(active.size());
  } else if (totalFiles > 0) {
    percent = std::clamp(ended, 0, totalFiles) * 100 / totalFiles;
  }
  const int filled = percent * kBarWidth / 100;
  std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, ' ') + "] ";
  line += std::to_string(percent) + "% ";
  if (active.size() == 1) {
    line += FileName(active.front().sourcePath) + " ";
  } else if (active.size() > 1) {
    line += std::to_string(active.size()) + " files ";
  }
  line += std::to_string(ended) + "/" + std::to_string(totalFiles);
  if (secondsLeft) line += " " + TimeLeftText(*secondsLeft);
  return line;
}

void ProgressLine::Draw(const std::vector<ActiveFile>& active, int ended,
                        std::optional<double> secondsLeft) {
  if (!enabled_) return;
  std::fprintf(stream_, "\r\033[K%s", Format(active, ended, totalFiles_, secondsLeft).c_str());
  std::fflush(stream_);
  drawn_ = true;
}

void ProgressLine::Clear() {
  if (!enabled_ || !drawn_) return;
  std::fputs("\r\033[K", stream_);
  std::fflush(stream_);
  drawn_ = false;
}

}  // namespace varnell
