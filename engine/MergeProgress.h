// The percent of a merge: the sound merged so far over the whole planned length of the merged
// output, never falling back and held below 100 until the merge is complete, also when a row
// turns out longer than its file said. Reported to the ledger for the row being merged. Owned by
// the merge worker thread.
#pragma once

namespace varnell {

class RowLedger;

class MergeProgress {
 public:
  MergeProgress(double totalSeconds, RowLedger& ledger)
      : totalSeconds_(totalSeconds), ledger_(ledger) {}

  // The row being merged from now on; it is told the percent so far at once.
  void SetRow(int row);

  void Report(double mergedSeconds);
  void Complete();

 private:
  double totalSeconds_;
  RowLedger& ledger_;
  int row_ = 0;
  int shown_ = 0;
};

}  // namespace varnell
