#include "library/TrashedSources.h"

#include <sys/stat.h>

#include <set>
#include <utility>

#include "library/Trash.h"

namespace varnell {
namespace {

bool SameFile(const std::string& first, const std::string& second) {
  struct stat one {
  }, other{};
  return ::stat(first.c_str(), &one) == 0 && ::stat(second.c_str(), &other) == 0 &&
         one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

}  // namespace

std::vector<TrashedSource> TrashCompletedSources(const std::vector<std::string>& sourcePaths,
                                                 const std::vector<RowOutcome>& outcomes,
                                                 const BatchOutcome& batch, JobKind kind) {
  std::vector<TrashedSource> trashed;
  const bool mergeFinished =
      !batch.stopped && !batch.mergedOutputPath.empty() && batch.mergeFailureReason.empty();
  if (kind == JobKind::MergeFiles && !mergeFinished) return trashed;
  std::set<std::string> moved;
  for (std::size_t row = 0; row < outcomes.size() && row < sourcePaths.size(); ++row) {
    const RowOutcome& outcome = outcomes[row];
    if (outcome.status != RowOutcome::Status::Completed) continue;
    const std::string& source = sourcePaths[row];
    if (moved.count(source) != 0) continue;
    TrashedSource entry{static_cast<int>(row), source, {}};
    const std::string& output =
        kind == JobKind::MergeFiles ? batch.mergedOutputPath : outcome.outputPath;
    if (SameFile(source, output)) {
      entry.failure = "it is its own output";
    } else if (const std::optional<std::string> failure = MoveToTrash(source)) {
      entry.failure = *failure;
    } else {
      moved.insert(source);
    }
    trashed.push_back(std::move(entry));
  }
  return trashed;
}

}  // namespace varnell
