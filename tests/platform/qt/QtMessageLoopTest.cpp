#include "platform/QtMessageLoop.h"

#include <QCoreApplication>
#include <QEventLoop>

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <thread>
#include <vector>

namespace platform {
namespace {

// Delivers everything already posted, without waiting for anything new.
void pumpPosted() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

TEST(QtMessageLoopTest, PostsFromAnotherThreadArriveInOrderOnTheGuiThread) {
  QtMessageLoop loop;
  std::vector<std::uintptr_t> received;
  std::vector<bool> onGuiThread;
  const auto guiThread = std::this_thread::get_id();
  const WindowHandle window = loop.createWindow([&](const Message& message) {
    received.push_back(message.lParam);
    onGuiThread.push_back(std::this_thread::get_id() == guiThread);
    EXPECT_EQ(message.id, 0x3BDu);
    EXPECT_EQ(message.wParam, 7u);
  });
  std::thread poster([&] {
    for (std::uintptr_t i = 1; i <= 100; ++i) EXPECT_TRUE(loop.post(window, Message{0x3BD, 7, i}));
  });
  poster.join();
  EXPECT_TRUE(received.empty()) << "delivery must wait for the event loop";
  pumpPosted();
  ASSERT_EQ(received.size(), 100u);
  for (std::uintptr_t i = 0; i < 100; ++i) EXPECT_EQ(received[i], i + 1);
  EXPECT_EQ(std::count(onGuiThread.begin(), onGuiThread.end(), true), 100);
}

TEST(QtMessageLoopTest, MessagesForADestroyedWindowAreDropped) {
  QtMessageLoop loop;
  int firstCount = 0;
  int secondCount = 0;
  const WindowHandle first = loop.createWindow([&](const Message&) { ++firstCount; });
  const WindowHandle second = loop.createWindow([&](const Message&) { ++secondCount; });
  EXPECT_NE(first, second);
  std::thread poster([&] {
    loop.post(first, Message{1, 0, 0});
    loop.post(second, Message{1, 0, 0});
  });
  poster.join();
  loop.destroyWindow(first);
  EXPECT_FALSE(loop.post(first, Message{1, 0, 0}));
  pumpPosted();
  EXPECT_EQ(firstCount, 0);
  EXPECT_EQ(secondCount, 1);
  // A stale handle stays dead even after new windows are made.
  const WindowHandle third = loop.createWindow([](const Message&) {});
  EXPECT_NE(third, first);
  EXPECT_FALSE(loop.post(first, Message{1, 0, 0}));
  loop.destroyWindow(first);  // harmless twice
}

TEST(QtMessageLoopTest, AWindowMayDestroyItselfWhileHandlingAMessage) {
  QtMessageLoop loop;
  int handled = 0;
  WindowHandle window = 0;
  window = loop.createWindow([&](const Message&) {
    ++handled;
    loop.destroyWindow(window);
  });
  loop.post(window, Message{1, 0, 0});
  loop.post(window, Message{2, 0, 0});
  pumpPosted();
  pumpPosted();
  EXPECT_EQ(handled, 1) << "the second message was queued for a window that no longer exists";
}

TEST(QtMessageLoopTest, AThrowingHandlerDoesNotStopDelivery) {
  QtMessageLoop loop;
  int handled = 0;
  const WindowHandle window = loop.createWindow([&](const Message& message) {
    ++handled;
    if (message.id == 1) throw std::runtime_error("handler failure");
  });
  loop.post(window, Message{1, 0, 0});
  loop.post(window, Message{2, 0, 0});
  pumpPosted();
  EXPECT_EQ(handled, 2);
}

}  // namespace
}  // namespace platform
