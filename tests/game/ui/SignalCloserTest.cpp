// A termination signal closes the window through its ordinary close handler, on the GUI
// thread, and the signal actions in place before are restored afterwards.
#include <QCloseEvent>
#include <QCoreApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <csignal>

#include "platform/SignalCloser.h"

namespace platform {
namespace {

class CountingWindow : public QWidget {
 public:
  int closeEvents = 0;
  bool refuse = false;

 protected:
  void closeEvent(QCloseEvent* event) override {
    ++closeEvents;
    if (refuse) event->ignore(); else event->accept();
  }
};

volatile std::sig_atomic_t gEarlierHandlerRuns = 0;
void earlierHandler(int) { gEarlierHandlerRuns = gEarlierHandlerRuns + 1; }

TEST(SignalCloserTest, EachTerminationSignalClosesTheWindowOnTheEventLoop) {
  for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(signal);
    CountingWindow window;
    window.show();
    SignalCloser closer(&window);
    ASSERT_EQ(::raise(signal), 0);
    // The handler itself touches no window: nothing happens before the loop runs.
    EXPECT_EQ(window.closeEvents, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.closeEvents, 1);
    EXPECT_EQ(closer.closeRequests(), 1);
    EXPECT_FALSE(window.isVisible());
  }
}

TEST(SignalCloserTest, RefusedCloseKeepsTheWindowAndLaterSignalsAskAgain) {
  CountingWindow window;
  window.refuse = true;
  window.show();
  SignalCloser closer(&window);
  ASSERT_EQ(::raise(SIGTERM), 0);
  QCoreApplication::processEvents();
  EXPECT_TRUE(window.isVisible());
  window.refuse = false;
  ASSERT_EQ(::raise(SIGTERM), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(window.closeEvents, 2);
  EXPECT_FALSE(window.isVisible());
}

TEST(SignalCloserTest, EarlierSignalActionIsRestored) {
  struct sigaction earlier = {}, saved = {};
  earlier.sa_handler = earlierHandler;
  sigemptyset(&earlier.sa_mask);
  ASSERT_EQ(::sigaction(SIGTERM, &earlier, &saved), 0);
  {
    QWidget window;
    SignalCloser closer(&window);
    EXPECT_THROW(SignalCloser second(&window), std::logic_error);
  }
  gEarlierHandlerRuns = 0;
  ASSERT_EQ(::raise(SIGTERM), 0);
  EXPECT_EQ(gEarlierHandlerRuns, 1);
  ASSERT_EQ(::sigaction(SIGTERM, &saved, nullptr), 0);
}

}  // namespace
}  // namespace platform
