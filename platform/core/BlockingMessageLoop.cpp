#include "platform/core/BlockingMessageLoop.h"

#include <utility>

namespace platform {

WindowHandle BlockingMessageLoop::createWindow(Handler handler) {
  std::lock_guard lock(mutex_);
  const WindowHandle window = nextWindow_++;
  windows_.emplace(window, std::move(handler));
  return window;
}

void BlockingMessageLoop::destroyWindow(WindowHandle window) {
  std::lock_guard lock(mutex_);
  windows_.erase(window);
  std::erase_if(queue_, [window](const Posted& posted) { return posted.window == window; });
}

bool BlockingMessageLoop::post(WindowHandle window, const Message& message) {
  {
    std::lock_guard lock(mutex_);
    if (!windows_.contains(window)) return false;
    queue_.push_back({window, message});
  }
  posted_.notify_one();
  return true;
}

bool BlockingMessageLoop::takeNext(std::unique_lock<std::mutex>&, Handler& handler, Message& message) {
  while (!queue_.empty()) {
    const Posted posted = queue_.front();
    queue_.pop_front();
    auto found = windows_.find(posted.window);
    if (found == windows_.end()) continue;  // destroyed after posting
    handler = found->second;  // a copy: the handler may destroy its own window
    message = posted.message;
    return true;
  }
  return false;
}

void BlockingMessageLoop::runUntil(const std::function<bool()>& done) {
  while (!done()) {
    Handler handler;
    Message message;
    {
      std::unique_lock lock(mutex_);
      posted_.wait(lock, [&] { return takeNext(lock, handler, message); });
    }
    handler(message);
  }
}

std::size_t BlockingMessageLoop::runPending() {
  std::size_t delivered = 0;
  for (;;) {
    Handler handler;
    Message message;
    {
      std::unique_lock lock(mutex_);
      if (!takeNext(lock, handler, message)) return delivered;
    }
    handler(message);
    ++delivered;
  }
}

}  // namespace platform
