#pragma once
// A message loop that delivers nothing by itself: posted messages wait in one FIFO queue
// until the owner calls pumpAll(). Tests use it to decide exactly when device notifications
// and end-of-play messages arrive.
//
// Threading: post() may be called from any thread; every other member belongs to the thread
// that pumps (the "GUI thread" of the test).
#include <cstddef>
#include <deque>
#include <map>
#include <mutex>

#include "platform/core/MessageLoop.h"

namespace platform {

class QueuedMessageLoop final : public MessageLoop {
 public:
  WindowHandle createWindow(Handler handler) override;
  void destroyWindow(WindowHandle window) override;
  bool post(WindowHandle window, const Message& message) override;

  // Delivers queued messages in posting order, including those posted by the handlers
  // while pumping, until the queue is empty. Returns the number delivered.
  std::size_t pumpAll();
  // Delivers at most one message. Returns false when the queue was empty.
  bool pumpOne();
  std::size_t pendingCount() const;
  std::size_t windowCount() const;
  // The next createWindow fails (returns 0), as when the system is out of windows.
  void failNextCreateWindow() { failNextCreate_ = true; }

 private:
  struct Posted {
    WindowHandle window;
    Message message;
  };
  mutable std::mutex mutex_;
  std::deque<Posted> queue_;
  std::map<WindowHandle, Handler> windows_;
  WindowHandle nextWindow_ = 1;
  bool failNextCreate_ = false;
};

}  // namespace platform
