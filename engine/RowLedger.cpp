#include "engine/RowLedger.h"

#include <algorithm>

namespace varnell {

RowLedger::RowLedger(int rows, BatchObserver& observer)
    : observer_(observer),
      percents_(static_cast<std::size_t>(std::max(rows, 0))),
      outcomes_(percents_.size()),
      held_(percents_.size(), false) {
  for (auto& percent : percents_) percent = -1;
}

void RowLedger::Started(int row) { observer_.RowStarted(row); }

void RowLedger::Percent(int row, int percent) {
  if (percents_[row].exchange(percent) != percent) observer_.RowPercent(row, percent);
}

void RowLedger::Passed(int row) { observer_.RowPassed(row); }

void RowLedger::End(int row, RowOutcome outcome) {
  std::lock_guard lock(mutex_);
  if (outcomes_[row] && !held_[row]) return;  // final once given
  outcomes_[row] = std::move(outcome);
  held_[row] = false;
  ReportReady();
}

void RowLedger::Hold(int row, RowOutcome outcome) {
  std::lock_guard lock(mutex_);
  if (outcomes_[row] && !held_[row]) return;
  outcomes_[row] = std::move(outcome);
  held_[row] = true;
}

void RowLedger::SettleHeld(const std::function<void(RowOutcome&)>& settle) {
  std::lock_guard lock(mutex_);
  for (std::size_t row = 0; row < outcomes_.size(); ++row) {
    if (!held_[row]) continue;
    settle(*outcomes_[row]);
    held_[row] = false;
  }
  ReportReady();
}

void RowLedger::EndBatch(const BatchOutcome& outcome) {
  {
    std::lock_guard lock(mutex_);
    for (std::size_t row = 0; row < outcomes_.size(); ++row) {
      // A held row is settled by its merge before the batch ends; one left over had no output
      // to settle against, and so nothing to show for itself.
      if (!outcomes_[row] || held_[row]) outcomes_[row] = RowOutcome{};
      held_[row] = false;
    }
    ReportReady();
  }
  observer_.BatchEnded(outcome);
}

void RowLedger::ReportReady() {
  while (reported_ < rows() && outcomes_[reported_] && !held_[reported_]) {
    observer_.RowEnded(reported_, *outcomes_[reported_]);
    ++reported_;
  }
}

}  // namespace varnell
