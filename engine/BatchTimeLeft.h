// How long the rest of a batch will take: the seconds of sound its rows still have to convert,
// at the speed the batch has had over the last half minute. The window's progress window and
// varnell-convert's progress line both show it. The rows converting at once all add to the
// speed, so a batch of parallel rows is measured as a whole.
//
// Threads: belongs to the thread that feeds it the engine's reports (the window's user-interface
// thread, varnell-convert's waiting thread). Every call is given the time, so the clock is the
// caller's.
#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "engine/ConversionJob.h"
#include "engine/Job.h"

namespace varnell {

// What a batch has to convert, in seconds of sound.
struct BatchPlan {
  std::vector<double> rowSeconds;  // per row of the job; 0 for a row it passes over
  double mergeSeconds = 0.0;       // a merge's planned length: its percents are of this whole
};

// The plan of a job built from these rows: a row's clip length, or for a row converted to its
// real end its probed (else whole-second) length after its clip start.
BatchPlan PlanOf(const Job& job, const std::vector<TaskRow>& rows);

class BatchTimeLeft {
 public:
  using Clock = std::chrono::steady_clock;
  // Nothing is said before this: the first seconds' speed is mostly the opening of files.
  static constexpr std::chrono::seconds kFirstShown{2};
  static constexpr std::chrono::seconds kSpeedWindow{30};

  BatchTimeLeft(BatchPlan plan, Clock::time_point start);

  // The engine's reports: a row's percent (a merge's: of the whole merge), and its end.
  void RowPercent(int row, int percent);
  void RowEnded(int row, bool completed);

  // The seconds left at `now`, each call a sample of the speed; nothing in the first
  // kFirstShown, while no sound has been converted since the start, and once all of it has.
  std::optional<double> SecondsLeft(Clock::time_point now);

 private:
  struct Row {
    double seconds = 0.0;
    double done = 0.0;  // 0..1
    bool ended = false;
  };
  struct Sample {
    Clock::time_point time;
    double doneSeconds = 0.0;
  };

  double DoneSeconds() const;
  double TotalSeconds() const;

  std::vector<Row> rows_;
  double mergeSeconds_ = 0.0;
  double mergeDone_ = 0.0;  // 0..1
  Clock::time_point start_;
  // The moments the converted sound grew, oldest first; the first is where the speed is measured
  // from.
  std::deque<Sample> samples_;
};

// The time left as it is told: whole seconds under a minute, minutes and seconds under an hour,
// else hours and minutes. Both front ends word it from this, so they round alike.
struct RoundedTimeLeft {
  enum class Units { kSeconds, kMinutesSeconds, kHoursMinutes };
  Units units;
  long long larger;   // the seconds, the minutes or the hours
  long long smaller;  // the seconds after the minutes, the minutes after the hours; else 0
};
RoundedTimeLeft RoundTimeLeft(double seconds);

// "About 45 s left", "About 2 min 10 s left", "About 1 h 5 min left".
std::string TimeLeftText(double seconds);

}  // namespace varnell
