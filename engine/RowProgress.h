// Where a converting row reports its percent: to the batch's ledger, which tells the observer,
// or, for a row converted on its own, into one atomic value. Called on the row's own thread.
#pragma once

#include <atomic>

namespace varnell {

class RowLedger;

class RowProgress {
 public:
  // A row converted alone: the percent is the only figure.
  RowProgress(std::atomic<int>& percent) : percent_(&percent) {}  // NOLINT: implicit on purpose
  RowProgress(RowLedger& ledger, int row) : ledger_(&ledger), row_(row) {}

  void Set(int percent) const;

 private:
  std::atomic<int>* percent_ = nullptr;
  RowLedger* ledger_ = nullptr;
  int row_ = -1;
};

}  // namespace varnell
