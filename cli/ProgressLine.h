// The progress bar varnell-convert draws on standard error when that is a terminal: the file
// being converted (or how many are), its percent, the files done out of the total and, once it
// can be told, the batch's time left.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "cli/FileOutcome.h"

namespace varnell {

class ProgressLine {
 public:
  ProgressLine(std::FILE* stream, bool enabled, int totalFiles);
  void Draw(const std::vector<ActiveFile>& active, int ended,
            std::optional<double> secondsLeft = std::nullopt);
  // Removes the bar so that a result line can be printed in its place.
  void Clear();

  static std::string Format(const std::vector<ActiveFile>& active, int ended, int totalFiles,
                            std::optional<double> secondsLeft = std::nullopt);

 private:
  std::FILE* stream_;
  bool enabled_;
  int totalFiles_;
  bool drawn_ = false;
};

}  // namespace varnell
