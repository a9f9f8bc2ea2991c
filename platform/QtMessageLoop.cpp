#include "platform/QtMessageLoop.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <exception>

namespace platform {
namespace {

const QEvent::Type kPostedMessageEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class PostedMessageEvent final : public QEvent {
 public:
  explicit PostedMessageEvent(const Message& message) : QEvent(kPostedMessageEvent), message_(message) {}
  const Message& message() const { return message_; }

 private:
  Message message_;
};

class MessageWindow final : public QObject {
 public:
  explicit MessageWindow(MessageLoop::Handler handler) : handler_(std::move(handler)) {}

  // Stops delivery at once; the object itself goes later, since destroyWindow may be
  // called from inside this window's own handler.
  void close() {
    closed_ = true;
    deleteLater();
  }

  bool event(QEvent* event) override {
    if (event->type() != kPostedMessageEvent) return QObject::event(event);
    if (closed_) return true;
    try {
      if (handler_) handler_(static_cast<PostedMessageEvent*>(event)->message());
    } catch (const std::exception& error) {
      std::fprintf(stderr, "message handler failed: %s\n", error.what());
    } catch (...) {
      std::fprintf(stderr, "message handler failed\n");
    }
    return true;
  }

 private:
  MessageLoop::Handler handler_;
  bool closed_ = false;
};

}  // namespace

QtMessageLoop::~QtMessageLoop() {
  std::map<WindowHandle, QObject*> windows;
  {
    std::lock_guard lock(mutex_);
    windows.swap(windows_);
  }
  for (auto& [handle, window] : windows) delete window;
}

WindowHandle QtMessageLoop::createWindow(Handler handler) {
  auto* window = new MessageWindow(std::move(handler));
  std::lock_guard lock(mutex_);
  const WindowHandle handle = nextHandle_++;
  windows_.emplace(handle, window);
  return handle;
}

void QtMessageLoop::destroyWindow(WindowHandle window) {
  MessageWindow* object = nullptr;
  {
    std::lock_guard lock(mutex_);
    const auto it = windows_.find(window);
    if (it == windows_.end()) return;
    object = static_cast<MessageWindow*>(it->second);
    windows_.erase(it);
  }
  // A post that found the window has finished postEvent before we took the lock above;
  // the closed window drops those events, and deleting it removes the rest from the queue.
  object->close();
}

bool QtMessageLoop::post(WindowHandle window, const Message& message) {
  std::lock_guard lock(mutex_);
  const auto it = windows_.find(window);
  if (it == windows_.end()) return false;
  QCoreApplication::postEvent(it->second, new PostedMessageEvent(message));
  return true;
}

}  // namespace platform
