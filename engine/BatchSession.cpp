#include "engine/BatchSession.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace varnell {

BatchSession::~BatchSession() {
  Stop();
  Wait();
}

std::optional<LaunchRefusal> BatchSession::Start(BatchRequest request, BatchObserver& frontEnd) {
  Wait();
  if (request.rows.empty()) return LaunchRefusal::NoRows;
  request.rowFailures.resize(request.rows.size());
  int checked = 0;
  for (std::size_t row = 0; row < request.rows.size(); ++row) {
    if (!request.rowFailures[row].empty()) request.rows[row].checked = false;
    checked += request.rows[row].checked ? 1 : 0;
  }
  const auto failedBefore =
      static_cast<int>(std::count_if(request.rowFailures.begin(), request.rowFailures.end(),
                                     [](const std::string& reason) { return !reason.empty(); }));
  if (request.kind == JobKind::MergeFiles && checked + failedBefore < 2)
    return LaunchRefusal::MergeNeedsTwoRows;
  if (checked + failedBefore == 0) return LaunchRefusal::NothingChecked;
  std::error_code error;
  if (request.kind == JobKind::MergeFiles)
    std::filesystem::create_directories(request.outputFolder, error);
  if (!std::filesystem::is_directory(request.outputFolder, error))
    return LaunchRefusal::NoOutputFolder;

  frontEnd_ = &frontEnd;
  rowFailures_ = std::move(request.rowFailures);
  checkedRows_ = checked;
  outcomes_.assign(request.rows.size(), RowOutcome{});
  outcome_ = BatchOutcome{};
  Job job =
      BuildJob(request.rows, request.outputFolder, request.output, request.settings, request.kind);
  plan_ = PlanOf(job, request.rows);
  engine_.Start(std::move(job), *this);
  return std::nullopt;
}

void BatchSession::RowEnded(int row, const RowOutcome& outcome) {
  RowOutcome& recorded = outcomes_[row];
  recorded = outcome;
  if (!rowFailures_[row].empty()) {
    recorded = RowOutcome{};
    recorded.status = RowOutcome::Status::Failed;
    recorded.reason = rowFailures_[row];
  }
  frontEnd_->RowEnded(row, recorded);
}

void BatchSession::BatchEnded(const BatchOutcome& outcome) {
  outcome_ = outcome;
  frontEnd_->BatchEnded(outcome);
}

}  // namespace varnell
