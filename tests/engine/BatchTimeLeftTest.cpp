// The time a batch has left, on a clock the test moves: rows of different lengths converting at
// once, a start that converts nothing for a while, a speed that changes, a row that fails.
#include "engine/BatchTimeLeft.h"

#include <gtest/gtest.h>

namespace varnell {
namespace {

using Clock = BatchTimeLeft::Clock;
using std::chrono::seconds;

const Clock::time_point kStart{};

TEST(BatchTimeLeft, TextsInSecondsMinutesAndHours) {
  EXPECT_EQ(TimeLeftText(45.2), "About 45 s left");
  EXPECT_EQ(TimeLeftText(0.2), "About 1 s left");
  EXPECT_EQ(TimeLeftText(130), "About 2 min 10 s left");
  EXPECT_EQ(TimeLeftText(3900), "About 1 h 5 min left");
  EXPECT_EQ(TimeLeftText(3599.6), "About 1 h 0 min left");
}

// Two rows at once add their sound to one speed; a failed row's rest is no longer to do; a
// merge's percent is of its whole planned length, whichever row reports it.
TEST(BatchTimeLeft, ParallelRowsOfDifferentLengthsAndAFailedRow) {
  BatchTimeLeft timeLeft({{60.0, 0.0, 240.0}}, kStart);
  timeLeft.RowPercent(0, 10);
  EXPECT_EQ(timeLeft.SecondsLeft(kStart + seconds(1)), std::nullopt) << "said in the first 2 s";
  timeLeft.RowPercent(0, 40);  // 24 s of sound
  timeLeft.RowPercent(2, 10);  // 24 s
  // 48 s converted in 4 s: 12 s a second, 252 s to go.
  EXPECT_DOUBLE_EQ(timeLeft.SecondsLeft(kStart + seconds(4)).value_or(-1.0), 21.0);
  timeLeft.RowEnded(0, false);  // what was left of its 60 s is gone from the batch
  EXPECT_DOUBLE_EQ(timeLeft.SecondsLeft(kStart + seconds(4)).value_or(-1.0), 216.0 / 12.0);
  timeLeft.RowEnded(2, true);
  EXPECT_EQ(timeLeft.SecondsLeft(kStart + seconds(6)), std::nullopt) << "nothing is left";

  BatchTimeLeft merge({{30.0, 30.0}, 60.0}, kStart);
  merge.RowPercent(1, 50);
  EXPECT_DOUBLE_EQ(merge.SecondsLeft(kStart + seconds(3)).value_or(-1.0), 3.0);
}

// Ten seconds of opening files count for nothing once sound comes; a speed that drops shows in
// the estimate once the speed window has passed over it.
TEST(BatchTimeLeft, AStalledStartAndAChangingSpeed) {
  BatchTimeLeft timeLeft({{1000.0}}, kStart);
  for (int second = 1; second <= 10; ++second) {
    EXPECT_EQ(timeLeft.SecondsLeft(kStart + seconds(second)), std::nullopt);
  }
  timeLeft.RowPercent(0, 2);  // 20 s of sound in the 2 s since the last tick
  EXPECT_DOUBLE_EQ(timeLeft.SecondsLeft(kStart + seconds(12)).value_or(-1.0), 980.0 / 10.0);

  // 10 s of sound a second up to 500 s, then 2 s a second.
  int percent = 2;
  int second = 12;
  while (percent < 50) {
    second += 1;
    timeLeft.RowPercent(0, ++percent);
  }
  EXPECT_NEAR(timeLeft.SecondsLeft(kStart + seconds(second)).value_or(-1.0), 500.0 / 10.0, 1.0);
  const int slowFrom = second;
  while (second < slowFrom + BatchTimeLeft::kSpeedWindow.count() + 10) {
    second += 5;
    timeLeft.RowPercent(0, ++percent);
    timeLeft.SecondsLeft(kStart + seconds(second));
  }
  const double left = 1000.0 - percent * 10.0;
  EXPECT_NEAR(timeLeft.SecondsLeft(kStart + seconds(second)).value_or(-1.0), left / 2.0,
              left / 20.0);
}

}  // namespace
}  // namespace varnell
