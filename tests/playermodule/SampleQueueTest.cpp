// The queue between the decoding thread and the device, driven directly: the ring wraps without
// losing or reordering a frame, a full queue blocks the pusher until the device takes frames or
// a stop comes, and the end is reached only once every frame has been taken.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <stop_token>
#include <thread>
#include <vector>

#include "playermodule/SampleQueue.h"

namespace varnell::player {
namespace {

// Frame i of the stream holds (i, -i).
std::vector<float> Frames(int first, int count) {
  std::vector<float> frames;
  for (int i = first; i < first + count; ++i) {
    frames.push_back(static_cast<float>(i));
    frames.push_back(static_cast<float>(-i));
  }
  return frames;
}

std::vector<float> Pop(SampleQueue& queue, int count, int expected) {
  std::vector<float> out(static_cast<std::size_t>(count) * 2, 99.0f);
  EXPECT_EQ(queue.pop(out.data(), count), expected);
  out.resize(static_cast<std::size_t>(expected) * 2);
  return out;
}

TEST(SampleQueueTest, WrapsAroundBlocksWhileFullStopsAndDrains) {
  SampleQueue queue(10, 2, 4);
  queue.restartAt(1.5);
  std::stop_source never;
  ASSERT_TRUE(queue.push(Frames(0, 3).data(), 3, never.get_token()));
  EXPECT_EQ(Pop(queue, 2, 2), Frames(0, 2));

  // Six frames into a queue of four holding one: the pusher blocks until the device has taken
  // enough, and the frames come out in order across the ring's end.
  std::jthread pusher(
      [&](std::stop_token stop) { EXPECT_TRUE(queue.push(Frames(3, 6).data(), 6, stop)); });
  std::vector<float> taken;
  while (taken.size() < 7 * 2) {
    ASSERT_TRUE(queue.waitForFrames(1, std::chrono::seconds(30)));
    std::vector<float> out(6);
    const int count = queue.pop(out.data(), 3);
    taken.insert(taken.end(), out.begin(), out.begin() + count * 2);
  }
  pusher.join();
  EXPECT_EQ(taken, Frames(2, 7));
  EXPECT_DOUBLE_EQ(queue.heardSeconds(), 1.5 + 9 / 10.0) << "the position counts every frame taken";

  // A stop releases a pusher blocked on a full queue, which reports that it did not finish.
  ASSERT_TRUE(queue.push(Frames(0, 4).data(), 4, never.get_token()));
  std::jthread blocked(
      [&](std::stop_token stop) { EXPECT_FALSE(queue.push(Frames(4, 1).data(), 1, stop)); });
  blocked.request_stop();
  blocked.join();

  // The end is heard once finish() was called and the last frame is taken, not before.
  EXPECT_EQ(Pop(queue, 2, 2), Frames(0, 2));
  EXPECT_FALSE(queue.waitForFrames(3, std::chrono::milliseconds(0)))
      << "two of three queued, more may come";
  queue.finish();
  EXPECT_TRUE(queue.waitForFrames(3, std::chrono::milliseconds(0))) << "no more will come";
  EXPECT_FALSE(queue.waitUntilDrained(never.get_token(), std::chrono::milliseconds(0)));
  EXPECT_EQ(Pop(queue, 8, 2), Frames(2, 2));
  EXPECT_TRUE(queue.waitUntilDrained(never.get_token(), std::chrono::milliseconds(0)));

  queue.restartAt(0.0);
  EXPECT_EQ(Pop(queue, 1, 0), std::vector<float>{});
  EXPECT_DOUBLE_EQ(queue.heardSeconds(), 0.0);
  EXPECT_FALSE(queue.waitUntilDrained(never.get_token(), std::chrono::milliseconds(0)))
      << "restart clears the end";
}

}  // namespace
}  // namespace varnell::player
