#pragma once
// MessageLoop on Qt's event queue: each window is a QObject living on the GUI thread, and a
// posted message is a custom QEvent delivered to it by the GUI thread's event loop.
//
// Threads: createWindow and destroyWindow on the GUI thread (the thread that owns the
// loop); post from any thread. Messages still queued for a destroyed window are dropped.
// A handler that throws does not unwind through Qt: the exception is caught and reported
// on stderr, and delivery goes on.
#include <QObject>

#include <map>
#include <mutex>

#include "platform/core/MessageLoop.h"

namespace platform {

class QtMessageLoop final : public MessageLoop {
 public:
  QtMessageLoop() = default;
  ~QtMessageLoop() override;
  QtMessageLoop(const QtMessageLoop&) = delete;
  QtMessageLoop& operator=(const QtMessageLoop&) = delete;

  WindowHandle createWindow(Handler handler) override;
  void destroyWindow(WindowHandle window) override;
  bool post(WindowHandle window, const Message& message) override;

 private:
  std::mutex mutex_;                      // guards windows_ and nextHandle_
  std::map<WindowHandle, QObject*> windows_;
  WindowHandle nextHandle_ = 1;           // never reused, so a stale handle finds nothing
};

}  // namespace platform
