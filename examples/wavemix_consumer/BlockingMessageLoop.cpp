#include "BlockingMessageLoop.h"

platform::WindowHandle BlockingMessageLoop::createWindow(Handler handler) {
  std::lock_guard lock(mutex_);
  const platform::WindowHandle window = nextWindow_++;
  windows_[window] = std::move(handler);
  return window;
}

void BlockingMessageLoop::destroyWindow(platform::WindowHandle window) {
  std::lock_guard lock(mutex_);
  windows_.erase(window);
  std::erase_if(queue_, [window](const Posted& p) { return p.window == window; });
}

bool BlockingMessageLoop::post(platform::WindowHandle window, const platform::Message& message) {
  {
    std::lock_guard lock(mutex_);
    if (!windows_.count(window)) return false;
    queue_.push_back({window, message});
  }
  posted_.notify_one();
  return true;
}

void BlockingMessageLoop::runUntil(const std::function<bool()>& done) {
  while (!done()) {
    Handler handler;
    platform::Message message;
    {
      std::unique_lock lock(mutex_);
      posted_.wait(lock, [this] { return !queue_.empty(); });
      const Posted next = queue_.front();
      queue_.pop_front();
      auto window = windows_.find(next.window);
      if (window == windows_.end()) continue;
      handler = window->second;  // a copy: the handler may destroy its own window
      message = next.message;
    }
    handler(message);
  }
}
