#pragma once
// The message loop of a program without a GUI toolkit: device threads post block-done
// messages, and the thread that runs the mixer sleeps in runUntil() until one arrives.
//
// Threading: post() may be called from any thread. Every other member belongs to one thread,
// the loop's own (the mixer's "GUI thread"), on which every handler runs.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "platform/core/MessageLoop.h"

namespace platform {

class BlockingMessageLoop final : public MessageLoop {
 public:
  WindowHandle createWindow(Handler handler) override;
  void destroyWindow(WindowHandle window) override;
  bool post(WindowHandle window, const Message& message) override;

  // Delivers messages in posting order, sleeping while none is queued, until `done` returns
  // true. `done` is checked before the first wait and after every delivery, so the loop
  // returns at once when it is already true and leaves later messages queued.
  void runUntil(const std::function<bool()>& done);
  // Delivers what is queued now (and what the handlers post meanwhile) without sleeping.
  // Returns the number delivered.
  std::size_t runPending();

 private:
  struct Posted {
    WindowHandle window;
    Message message;
  };
  // Takes the next message for a live window; false when none is queued.
  bool takeNext(std::unique_lock<std::mutex>& lock, Handler& handler, Message& message);

  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<Posted> queue_;
  std::map<WindowHandle, Handler> windows_;
  WindowHandle nextWindow_ = 1;
};

}  // namespace platform
