// What a running batch tells its caller, as it happens.
//
// Threads: every call comes from the engine's worker thread or one of its row threads, never
// from the thread that started the batch. RowStarted and RowPercent may come from several row
// threads at once; RowEnded comes once for every row of the job, in row order, one call at a
// time, and a row's outcome is final once reported. BatchEnded comes last; once it has returned
// the engine does not call the observer again. An observer should return quickly and must not
// call back into the engine that calls it.
#pragma once

#include "engine/RowOutcome.h"

namespace varnell {

class BatchObserver {
 public:
  virtual ~BatchObserver() = default;

  // The row's conversion begins (it opens its source; its percent is -1 until it converts).
  virtual void RowStarted(int /*row*/) {}
  // The row's percent, 0..100, each time it changes. For a merge, the percent of the whole
  // merged output, reported for the row being merged.
  virtual void RowPercent(int /*row*/, int /*percent*/) {}
  // A merge has taken from the row what it will take; the row's outcome follows, with every
  // other row's, once the merged output is finished or has failed.
  virtual void RowPassed(int /*row*/) {}
  virtual void RowEnded(int /*row*/, const RowOutcome& /*outcome*/) {}
  virtual void BatchEnded(const BatchOutcome& /*outcome*/) {}
};

}  // namespace varnell
