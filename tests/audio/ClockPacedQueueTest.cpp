#include "audio/ClockPacedQueue.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace platform {
namespace {

// 8-bit mono 11025 Hz: 11025 bytes per second, so 1000 bytes take 90.7 ms.
constexpr std::uint32_t kRate = 11025;

struct Blocks {
  std::array<WaveHeader, 4> headers{};
  explicit Blocks(std::uint32_t length) {
    for (auto& header : headers) header.bufferLength = length;
  }
};

TEST(ClockPacedQueueTest, BlocksFinishWhenTheirLastByteHasBeenPlayed) {
  Blocks blocks(1000);
  ClockPacedQueue queue(kRate, 1);
  queue.write(blocks.headers[0], 500);
  queue.write(blocks.headers[1], 500);

  struct Step {
    std::uint32_t nowMs;
    std::uint32_t position;
    std::size_t finished;
  };
  // floor(elapsed * 11025 / 1000): 90 ms → 992 bytes, 91 ms → 1003, 181 → 1995, 182 → 2006 (capped 2000).
  const Step steps[] = {{500, 0, 0}, {590, 992, 0}, {591, 1003, 1}, {681, 1995, 0}, {682, 2000, 1}, {900, 2000, 0}};
  for (const Step& step : steps) {
    SCOPED_TRACE(step.nowMs);
    EXPECT_EQ(queue.position(step.nowMs), step.position);
    EXPECT_EQ(queue.takeFinished(step.nowMs).size(), step.finished);
  }
  EXPECT_TRUE(queue.empty());
}

TEST(ClockPacedQueueTest, FinishedBlocksComeInWriteOrder) {
  Blocks blocks(100);
  ClockPacedQueue queue(kRate, 1);
  for (auto& header : blocks.headers) queue.write(header, 0);
  const std::vector<WaveHeader*> finished = queue.takeFinished(1000);
  ASSERT_EQ(finished.size(), 4u);
  for (std::size_t i = 0; i < finished.size(); ++i) EXPECT_EQ(finished[i], &blocks.headers[i]);
}

TEST(ClockPacedQueueTest, IdleDeviceStartsTheNextBlockWhenItIsWritten) {
  Blocks blocks(1000);
  ClockPacedQueue queue(kRate, 1);
  queue.write(blocks.headers[0], 0);
  EXPECT_EQ(queue.takeFinished(5000).size(), 1u);
  EXPECT_EQ(queue.position(5000), 1000u);
  // Written long after the device ran dry: it must play for its full length from now.
  queue.write(blocks.headers[1], 6000);
  EXPECT_EQ(queue.position(6000), 1000u);
  EXPECT_TRUE(queue.takeFinished(6090).empty());
  EXPECT_EQ(queue.takeFinished(6091).size(), 1u);
}

TEST(ClockPacedQueueTest, DryDeviceNotYetSweptAlsoRestartsAtTheWrite) {
  Blocks blocks(1000);
  ClockPacedQueue queue(kRate, 1);
  queue.write(blocks.headers[0], 0);
  // No takeFinished in between: the queue must notice on its own that it ran dry.
  queue.write(blocks.headers[1], 5000);
  EXPECT_EQ(queue.takeFinished(5000).size(), 1u);
  EXPECT_TRUE(queue.takeFinished(5090).empty());
  EXPECT_EQ(queue.takeFinished(5091).size(), 1u);
}

TEST(ClockPacedQueueTest, PauseFreezesPositionAndRestartResumesIt) {
  Blocks blocks(1000);
  ClockPacedQueue queue(kRate, 1);
  queue.pause(0);
  queue.write(blocks.headers[0], 0);
  EXPECT_EQ(queue.position(10'000), 0u);
  EXPECT_FALSE(queue.msUntilNextFinish(10'000).has_value());
  queue.restart(10'000);
  EXPECT_EQ(queue.position(10'040), 441u);
  queue.pause(10'040);
  EXPECT_EQ(queue.position(20'000), 441u);
  EXPECT_TRUE(queue.takeFinished(20'000).empty());
  queue.restart(20'000);
  EXPECT_EQ(queue.position(20'010), 441u + 110u);
  EXPECT_EQ(queue.takeFinished(20'051).size(), 1u);  // 441 + floor(51 * 11.025) = 1003
}

TEST(ClockPacedQueueTest, ResetDropsEverythingAndReportsThePlayedPartOfTheHead) {
  Blocks blocks(1000);
  ClockPacedQueue queue(kRate, 1);
  for (int i = 0; i < 3; ++i) queue.write(blocks.headers[i], 0);
  // 100 ms → 1102 bytes: block 0 finished (not yet swept), block 1 played for 102 bytes.
  EXPECT_EQ(queue.takeFinished(100).size(), 1u);
  const ClockPacedQueue::ResetResult result = queue.reset(100);
  ASSERT_EQ(result.dropped.size(), 2u);
  EXPECT_EQ(result.dropped[0], &blocks.headers[1]);
  EXPECT_EQ(result.dropped[1], &blocks.headers[2]);
  EXPECT_EQ(result.headPlayedBytes, 102u);
  EXPECT_EQ(queue.position(5000), 0u);
  EXPECT_TRUE(queue.empty());
  queue.write(blocks.headers[3], 5000);
  EXPECT_EQ(queue.position(5010), 110u);
}

TEST(ClockPacedQueueTest, ResetKeepsThePauseState) {
  Blocks blocks(1000);
  ClockPacedQueue queue(kRate, 1);
  queue.pause(0);
  queue.reset(0);
  queue.write(blocks.headers[0], 0);
  EXPECT_EQ(queue.position(1000), 0u);
  queue.restart(1000);
  EXPECT_EQ(queue.position(1091), 1000u);
}

TEST(ClockPacedQueueTest, WaitTimeIsTheFirstMillisecondTheBlockIsDone) {
  struct Case {
    std::uint32_t rate, frameBytes, length, nowMs;
    std::uint32_t expectedWait;
  };
  const Case cases[] = {
      {11025, 1, 1000, 0, 91},    // 90.70 ms, rounded up
      {11025, 1, 1000, 50, 41},
      {88200, 2, 4096, 0, 47},    // stereo 44100 Hz: 4096 bytes = 46.4 ms
      {22050, 1, 2048, 92, 1},    // 92.88 ms; not done at 92 → at least 1 ms more
      {8000, 1, 8000, 0, 1000},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rate << "/" << c.length << " at " << c.nowMs);
    WaveHeader header{};
    header.bufferLength = c.length;
    ClockPacedQueue queue(c.rate, c.frameBytes);
    queue.write(header, 0);
    const auto wait = queue.msUntilNextFinish(c.nowMs);
    ASSERT_TRUE(wait.has_value());
    EXPECT_EQ(*wait, c.expectedWait);
    EXPECT_TRUE(queue.takeFinished(c.nowMs + *wait - 1).empty()) << "finished before the announced time";
    EXPECT_EQ(queue.takeFinished(c.nowMs + *wait).size(), 1u) << "not finished at the announced time";
  }
}

TEST(ClockPacedQueueTest, PositionCountsWholeFrames) {
  WaveHeader header{};
  header.bufferLength = 4096;
  ClockPacedQueue queue(22050 * 2, 2);  // stereo 22050 Hz
  queue.write(header, 0);
  for (std::uint32_t ms = 0; ms < 40; ++ms) EXPECT_EQ(queue.position(ms) % 2, 0u) << ms;
}

TEST(ClockPacedQueueTest, ClockWrapDoesNotDisturbPacing) {
  WaveHeader header{};
  header.bufferLength = 1000;
  ClockPacedQueue queue(kRate, 1);
  const std::uint32_t start = 0xFFFFFFF0u;
  queue.write(header, start);
  EXPECT_EQ(queue.position(start + 40), 441u);  // wraps past 0
  EXPECT_EQ(queue.takeFinished(start + 91).size(), 1u);
}

}  // namespace
}  // namespace platform
