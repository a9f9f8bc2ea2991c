#pragma once
// A message loop for a program without a GUI toolkit: the mixer's device thread posts
// block-done messages, and the main thread sleeps in runUntil() until one arrives.
#include <condition_variable>
#include <deque>
#include <functional>
#include <map>
#include <mutex>

#include "platform/audio/MessageLoop.h"

class BlockingMessageLoop final : public platform::MessageLoop {
 public:
  platform::WindowHandle createWindow(Handler handler) override;
  void destroyWindow(platform::WindowHandle window) override;
  bool post(platform::WindowHandle window, const platform::Message& message) override;

  // Delivers messages on the calling thread, sleeping while none is queued, until `done`
  // returns true (checked before every wait and after every delivery).
  void runUntil(const std::function<bool()>& done);

 private:
  struct Posted {
    platform::WindowHandle window;
    platform::Message message;
  };
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<Posted> queue_;
  std::map<platform::WindowHandle, Handler> windows_;
  platform::WindowHandle nextWindow_ = 1;
};
