#include "cli/ProgressLine.h"

#include <algorithm>

namespace varnell {
namespace {
constexpr int kBarWidth = 20;
constexpr std::size_t kNameWidth = 32;

std::string FileName(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  if (name.size() > kNameWidth) name = name.substr(0, kNameWidth - 3) + "...";
  return name;
}
}  // namespace

ProgressLine::ProgressLine(std::FILE* stream, bool enabled, int totalFiles)
    : stream_(stream), enabled_(enabled), totalFiles_(totalFiles) {}

std::string ProgressLine::Format(const std::vector<ActiveFile>& active, int ended,
                                 int totalFiles) {
  int percent = 0;
  for (const ActiveFile& file : active) percent += std::max(file.percent, 0);
  if (!active.empty()) percent /= static_cast<int>(active.size());
  const int filled = percent * kBarWidth / 100;
  std::string line = "[" + std::string(filled, '#') + std::string(kBarWidth - filled, ' ') + "] ";
  line += std::to_string(percent) + "% ";
  if (active.size() == 1) {
    line += FileName(active.front().sourcePath) + " ";
  } else if (active.size() > 1) {
    line += std::to_string(active.size()) + " files ";
  }
  line += std::to_string(ended) + "/" + std::to_string(totalFiles);
  return line;
}

void ProgressLine::Draw(const std::vector<ActiveFile>& active, int ended) {
  if (!enabled_) return;
  std::fprintf(stream_, "\r\033[K%s", Format(active, ended, totalFiles_).c_str());
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
