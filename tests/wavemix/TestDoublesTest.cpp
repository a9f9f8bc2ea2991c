// The manual device and the queued message loop the mixer tests rely on.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "audio/testing/ManualWaveOut.h"
#include "platform/testing/QueuedMessageLoop.h"

namespace platform {
namespace {

TEST(QueuedMessageLoopTest, DeliversInOrderOnlyWhenPumped) {
  QueuedMessageLoop loop;
  std::vector<std::uintptr_t> seen;
  const WindowHandle window = loop.createWindow([&](const Message& m) { seen.push_back(m.wParam); });
  EXPECT_TRUE(loop.post(window, {1, 10, 0}));
  EXPECT_TRUE(loop.post(window, {1, 20, 0}));
  EXPECT_TRUE(seen.empty());
  EXPECT_EQ(loop.pumpAll(), 2u);
  EXPECT_EQ(seen, (std::vector<std::uintptr_t>{10, 20}));
  EXPECT_FALSE(loop.post(window + 100, {1, 0, 0})) << "no such window";
}

TEST(QueuedMessageLoopTest, DestroyingAWindowDropsItsMessages) {
  QueuedMessageLoop loop;
  int delivered = 0;
  const WindowHandle a = loop.createWindow([&](const Message&) { ++delivered; });
  const WindowHandle b = loop.createWindow([&](const Message&) { delivered += 100; });
  loop.post(a, {});
  loop.post(b, {});
  loop.destroyWindow(a);
  EXPECT_EQ(loop.pendingCount(), 1u);
  loop.pumpAll();
  EXPECT_EQ(delivered, 100);
  EXPECT_FALSE(loop.post(a, {}));
}

TEST(QueuedMessageLoopTest, PostsFromOtherThreadsAllArrive) {
  QueuedMessageLoop loop;
  int delivered = 0;
  const WindowHandle window = loop.createWindow([&](const Message&) { ++delivered; });
  std::vector<std::thread> posters;
  for (int t = 0; t < 4; ++t) {
    posters.emplace_back([&] {
      for (int i = 0; i < 500; ++i) loop.post(window, {});
    });
  }
  for (auto& poster : posters) poster.join();
  loop.pumpAll();
  EXPECT_EQ(delivered, 2000);
}

TEST(ManualWaveOutTest, BlocksCompleteInOrderOnlyWhenTold) {
  ManualWaveOutSystem system;
  QueuedMessageLoop loop;
  std::vector<std::uintptr_t> done;
  const WindowHandle window = loop.createWindow([&](const Message& m) { done.push_back(m.lParam); });
  std::unique_ptr<WaveOutStream> stream;
  ASSERT_EQ(system.open(0, PcmFormat{}, loop, window, stream), kDeviceOk);
  std::uint8_t a[4] = {1, 2, 3, 4};
  std::uint8_t b[2] = {5, 6};
  WaveHeader ha{a, 4};
  WaveHeader hb{b, 2};
  EXPECT_EQ(stream->write(ha), kDeviceUnprepared);
  stream->prepareHeader(ha);
  stream->prepareHeader(hb);
  stream->write(ha);
  stream->write(hb);
  EXPECT_EQ(stream->unprepareHeader(ha), kDeviceStillPlaying);
  ManualWaveOutStream& manual = *system.stream();
  stream->pause();
  EXPECT_EQ(manual.playBytes(3), 0u) << "a paused device plays nothing";
  stream->restart();
  EXPECT_EQ(manual.playBytes(3), 3u);
  std::uint32_t position = 0;
  stream->position(position);
  EXPECT_EQ(position, 3u);
  EXPECT_FALSE(ha.flags & kHeaderDone);
  EXPECT_TRUE(manual.completeNext());
  EXPECT_TRUE(ha.flags & kHeaderDone);
  EXPECT_EQ(manual.played(), (std::vector<std::uint8_t>{1, 2, 3, 4}));
  stream->reset();
  EXPECT_TRUE(hb.flags & kHeaderDone);
  stream->position(position);
  EXPECT_EQ(position, 0u);
  loop.pumpAll();
  EXPECT_EQ(done, (std::vector<std::uintptr_t>{reinterpret_cast<std::uintptr_t>(&ha),
                                              reinterpret_cast<std::uintptr_t>(&hb)}));
  EXPECT_EQ(manual.played().size(), 4u) << "reset blocks are not played";
  stream.reset();
  EXPECT_EQ(system.stream(), nullptr);
  loop.destroyWindow(window);
}

}  // namespace
}  // namespace platform
