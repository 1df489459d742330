// The percent of a merge: the sound merged so far over the whole planned length of the merged
// output, never falling back and held below 100 until the merge is complete, also when a row
// turns out longer than its file said. Owned by the merge worker thread, which alone writes the
// shared percent.
#pragma once

#include <atomic>

namespace varnell {

class MergeProgress {
 public:
  MergeProgress(double totalSeconds, std::atomic<int>& percent);

  void Report(double mergedSeconds);
  void Complete();

 private:
  double totalSeconds_;
  std::atomic<int>& percent_;
  int shown_ = 0;
};

}  // namespace varnell
