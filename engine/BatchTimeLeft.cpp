#include "engine/BatchTimeLeft.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "engine/ClipTime.h"

namespace varnell {

BatchPlan PlanOf(const Job& job, const std::vector<TaskRow>& rows) {
  BatchPlan plan;
  plan.rowSeconds.assign(job.rows.size(), 0.0);
  for (std::size_t row = 0; row < job.rows.size(); ++row) {
    const JobRow& target = job.rows[row];
    if (!target.selected()) continue;
    double seconds = target.clipLength;
    if (!std::isfinite(seconds) && row < rows.size()) {
      const double length = rows[row].probedSeconds.value_or(
          static_cast<double>(std::atoll(rows[row].durationSeconds.c_str())));
      seconds = length - target.clipBegin;
    }
    plan.rowSeconds[row] = std::isfinite(seconds) ? std::max(seconds, 0.0) : 0.0;
  }
  if (job.kind == JobKind::MergeFiles) plan.mergeSeconds = job.mergeSeconds;
  return plan;
}

BatchTimeLeft::BatchTimeLeft(BatchPlan plan, Clock::time_point start)
    : mergeSeconds_(plan.mergeSeconds), start_(start) {
  for (const double seconds : plan.rowSeconds) rows_.push_back({seconds});
  samples_.push_back({start, 0.0});
}

void BatchTimeLeft::RowPercent(int row, int percent) {
  if (row < 0 || row >= static_cast<int>(rows_.size()) || percent < 0) return;
  const double done = std::min(percent, 100) / 100.0;
  if (mergeSeconds_ > 0.0) {
    mergeDone_ = std::max(mergeDone_, done);
  } else if (!rows_[row].ended) {
    rows_[row].done = done;
  }
}

// A row that did not complete takes no more time: what it converted counts, the rest is gone
// from the batch.
void BatchTimeLeft::RowEnded(int row, bool completed) {
  if (row < 0 || row >= static_cast<int>(rows_.size())) return;
  Row& ended = rows_[row];
  ended.ended = true;
  if (completed) {
    ended.done = 1.0;
  } else {
    ended.seconds *= ended.done;
    ended.done = 1.0;
  }
}

double BatchTimeLeft::DoneSeconds() const {
  if (mergeSeconds_ > 0.0) return mergeDone_ * mergeSeconds_;
  double done = 0.0;
  for (const Row& row : rows_) done += row.seconds * row.done;
  return done;
}

double BatchTimeLeft::TotalSeconds() const {
  if (mergeSeconds_ > 0.0) return mergeSeconds_;
  double total = 0.0;
  for (const Row& row : rows_) total += row.seconds;
  return total;
}

std::optional<double> BatchTimeLeft::SecondsLeft(Clock::time_point now) {
  const double done = DoneSeconds();
  if (done <= 0.0) {
    // The speed starts when the sound does: a start spent opening files is not held against it.
    samples_.assign(1, {now, 0.0});
  } else if (samples_.back().doneSeconds < done) {
    samples_.push_back({now, done});
  }
  // The window slides over the moments of progress, always keeping one behind the latest, so
  // that a row slower than one percent per window still has a speed.
  while (samples_.size() > 2 && samples_[1].time <= now - kSpeedWindow) samples_.pop_front();
  const Sample& from = samples_.front();
  const double elapsed = std::chrono::duration<double>(now - from.time).count();
  if (now - start_ < kFirstShown || done <= from.doneSeconds || elapsed <= 0.0) return std::nullopt;
  const double left = TotalSeconds() - done;
  if (left <= 0.0) return std::nullopt;  // the last rows are finishing their files
  return left / ((done - from.doneSeconds) / elapsed);
}

RoundedTimeLeft RoundTimeLeft(double seconds) {
  using Units = RoundedTimeLeft::Units;
  const auto whole = std::max<long long>(1, std::llround(seconds));
  if (whole < 60) return {Units::kSeconds, whole, 0};
  if (whole < 3600) return {Units::kMinutesSeconds, whole / 60, whole % 60};
  const long long minutes = std::llround(seconds / 60.0);
  return {Units::kHoursMinutes, minutes / 60, minutes % 60};
}

std::string TimeLeftText(double seconds) {
  const RoundedTimeLeft left = RoundTimeLeft(seconds);
  const std::string larger = std::to_string(left.larger), smaller = std::to_string(left.smaller);
  switch (left.units) {
    case RoundedTimeLeft::Units::kSeconds:
      return "About " + larger + " s left";
    case RoundedTimeLeft::Units::kMinutesSeconds:
      return "About " + larger + " min " + smaller + " s left";
    case RoundedTimeLeft::Units::kHoursMinutes:
      break;
  }
  return "About " + larger + " h " + smaller + " min left";
}

}  // namespace varnell
