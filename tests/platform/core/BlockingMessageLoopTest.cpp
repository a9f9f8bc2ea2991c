#include "platform/core/BlockingMessageLoop.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace platform {
namespace {

TEST(BlockingMessageLoop, DeliversInPostingOrderAndStopsAsSoonAsDone) {
  BlockingMessageLoop loop;
  std::vector<std::uintptr_t> seen;
  const WindowHandle window = loop.createWindow([&](const Message& m) { seen.push_back(m.wParam); });
  for (std::uintptr_t i = 1; i <= 4; ++i) ASSERT_TRUE(loop.post(window, {7, i, 0}));

  loop.runUntil([] { return true; });  // already done: nothing delivered, no wait
  EXPECT_TRUE(seen.empty());
  loop.runUntil([&] { return seen.size() == 2; });  // the rest stays queued
  EXPECT_EQ(seen, (std::vector<std::uintptr_t>{1, 2}));
  EXPECT_EQ(loop.runPending(), 2u);
  EXPECT_EQ(seen, (std::vector<std::uintptr_t>{1, 2, 3, 4}));
  EXPECT_EQ(loop.runPending(), 0u);
}

TEST(BlockingMessageLoop, SleepsUntilAnotherThreadPosts) {
  BlockingMessageLoop loop;
  std::vector<std::uintptr_t> seen;
  const WindowHandle window = loop.createWindow([&](const Message& m) { seen.push_back(m.wParam); });
  std::thread device([&] {
    for (std::uintptr_t i = 1; i <= 50; ++i) loop.post(window, {7, i, 0});
  });
  loop.runUntil([&] { return seen.size() == 50; });
  device.join();
  for (std::uintptr_t i = 0; i < seen.size(); ++i) ASSERT_EQ(seen[i], i + 1);
}

TEST(BlockingMessageLoop, DestroyedWindowsGetNothingAndHandlersMayPostOrDestroy) {
  BlockingMessageLoop loop;
  int toFirst = 0;
  int toSecond = 0;
  WindowHandle second = 0;
  const WindowHandle first = loop.createWindow([&](const Message&) {
    ++toFirst;
    loop.post(second, {});  // queued behind the message already there for `second`
  });
  second = loop.createWindow([&](const Message&) {
    ++toSecond;
    loop.destroyWindow(second);  // its own window, while its message is being handled
  });
  loop.post(first, {});
  loop.post(second, {});
  // first, then second, whose handler destroys its window and so drops first's later post
  EXPECT_EQ(loop.runPending(), 2u);
  EXPECT_EQ(toFirst, 1);
  EXPECT_EQ(toSecond, 1);
  EXPECT_FALSE(loop.post(second, {}));
  loop.post(first, {});
  loop.destroyWindow(first);  // drops the queued message
  EXPECT_EQ(loop.runPending(), 0u);
  EXPECT_EQ(toFirst, 1);
}

}  // namespace
}  // namespace platform
