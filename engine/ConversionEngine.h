// The engine: runs one batch at a time on a worker thread of its own and tells an observer how
// each row goes.
//
// Threads. Start, Wait and setRowWorkers belong to the thread that owns the engine; Stop may come
// from any thread, a signal handler included (it only sets an atomic flag). The worker thread
// and the row threads it starts own the batch; they read the job, which is not changed while
// they run, and call the observer (see BatchObserver for when). The worker is joined before the
// engine starts another batch or is destroyed; several engines may work at once, they share
// nothing.
#pragma once

#include <atomic>
#include <memory>
#include <thread>

#include "engine/BatchObserver.h"
#include "engine/Job.h"

namespace varnell {

class ConversionEngine {
 public:
  ConversionEngine();
  ConversionEngine(const ConversionEngine&) = delete;
  ConversionEngine& operator=(const ConversionEngine&) = delete;
  // Stops and joins a running batch.
  ~ConversionEngine();

  // Rows a per-file batch converts at once: 0 for one per CPU core. Rows start in row order and
  // their outputs get their names in row order, so the collision names come out as they would
  // one row after another. A merge always takes one row after another. Kept from batch to batch.
  void setRowWorkers(int workers) { rowWorkers_ = workers; }
  int effectiveRowWorkers() const;

  // Waits for an earlier batch, then runs the job on the worker thread. The observer must outlive
  // the batch (until Wait returns). When no thread can be started, every row ends failed at once,
  // reported on the calling thread, and no worker runs.
  void Start(Job job, BatchObserver& observer);
  // Asks the batch to stop: no further row begins, and the rows converting end where they are
  // (their shorter files are kept); a merge is finished where it is.
  void Stop() noexcept { stopRequested_.store(true); }
  // Waits for the batch to end; returns at once when none runs.
  void Wait();

 private:
  struct Batch;

  std::atomic<bool> stopRequested_{false};
  int rowWorkers_ = 0;
  std::unique_ptr<Batch> batch_;  // the running or last batch; its worker reads it
  std::thread worker_;
};

}  // namespace varnell
