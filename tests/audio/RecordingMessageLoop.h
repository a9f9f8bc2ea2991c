#pragma once
// A MessageLoop for device tests: windows exist until destroyed, and every post is kept in
// order so a test can check which headers were reported done, and when.
#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <vector>

#include "platform/core/MessageLoop.h"
#include "audio/WaveOutDevice.h"

namespace platform::test {

class RecordingMessageLoop final : public MessageLoop {
 public:
  WindowHandle createWindow(Handler) override {
    std::lock_guard lock(mutex_);
    return nextWindow_++;
  }
  void destroyWindow(WindowHandle window) override {
    std::lock_guard lock(mutex_);
    destroyed_.push_back(window);
  }
  bool post(WindowHandle window, const Message& message) override {
    std::lock_guard lock(mutex_);
    for (WindowHandle gone : destroyed_)
      if (gone == window) return false;
    posts_.push_back({window, message});
    posted_.notify_all();
    return true;
  }

  // Blocks until at least `count` done messages are recorded (posted by a device thread);
  // false if they have not come within `limit` (a generous bound, only against a hang).
  bool waitForDoneMessages(std::size_t count, std::chrono::seconds limit = std::chrono::seconds(20)) {
    std::unique_lock lock(mutex_);
    return posted_.wait_for(lock, limit, [&] {
      std::size_t done = 0;
      for (const auto& posted : posts_) done += posted.second.id == kMessageWaveDone;
      return done >= count;
    });
  }

  // The headers named by done messages so far, in posting order; clears the record.
  std::vector<WaveHeader*> takeDoneHeaders() {
    std::lock_guard lock(mutex_);
    std::vector<WaveHeader*> headers;
    for (const auto& [window, message] : posts_) {
      if (message.id == kMessageWaveDone) headers.push_back(reinterpret_cast<WaveHeader*>(message.lParam));
    }
    posts_.clear();
    return headers;
  }

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  WindowHandle nextWindow_ = 1;
  std::vector<WindowHandle> destroyed_;
  std::vector<std::pair<WindowHandle, Message>> posts_;
};

}  // namespace platform::test
