#include "platform/testing/QueuedMessageLoop.h"

#include <utility>

namespace platform {

WindowHandle QueuedMessageLoop::createWindow(Handler handler) {
  std::lock_guard lock(mutex_);
  if (failNextCreate_) {
    failNextCreate_ = false;
    return 0;
  }
  const WindowHandle window = nextWindow_++;
  windows_.emplace(window, std::move(handler));
  return window;
}

void QueuedMessageLoop::destroyWindow(WindowHandle window) {
  std::lock_guard lock(mutex_);
  windows_.erase(window);
  std::erase_if(queue_, [window](const Posted& posted) { return posted.window == window; });
}

bool QueuedMessageLoop::post(WindowHandle window, const Message& message) {
  std::lock_guard lock(mutex_);
  if (!windows_.contains(window)) return false;
  queue_.push_back({window, message});
  return true;
}

bool QueuedMessageLoop::pumpOne() {
  Handler handler;
  Message message;
  {
    std::lock_guard lock(mutex_);
    // A message whose window vanished meanwhile is dropped, as destroyWindow promises.
    while (!queue_.empty()) {
      Posted posted = queue_.front();
      queue_.pop_front();
      auto found = windows_.find(posted.window);
      if (found == windows_.end()) continue;
      handler = found->second;  // a copy: the handler may destroy its own window
      message = posted.message;
      break;
    }
    if (!handler) return false;
  }
  handler(message);
  return true;
}

std::size_t QueuedMessageLoop::pumpAll() {
  std::size_t delivered = 0;
  while (pumpOne()) ++delivered;
  return delivered;
}

std::size_t QueuedMessageLoop::pendingCount() const {
  std::lock_guard lock(mutex_);
  return queue_.size();
}

std::size_t QueuedMessageLoop::windowCount() const {
  std::lock_guard lock(mutex_);
  return windows_.size();
}

}  // namespace platform
