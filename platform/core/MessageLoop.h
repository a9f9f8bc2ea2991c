#pragma once
// Windows that receive posted messages on the GUI thread: how an audio device thread tells
// the mixer that a block is done, and how the mixer tells a caller that a play has ended.
#include <cstdint>
#include <functional>

namespace platform {

// 0 is "no window".
using WindowHandle = std::uintptr_t;

struct Message {
  std::uint32_t id = 0;
  std::uintptr_t wParam = 0;
  std::uintptr_t lParam = 0;
};

class MessageLoop {
 public:
  using Handler = std::function<void(const Message&)>;
  virtual ~MessageLoop() = default;
  // Called on the GUI thread. The handler runs on the GUI thread for each delivered message.
  virtual WindowHandle createWindow(Handler handler) = 0;
  // Called on the GUI thread. Messages still queued for the window are dropped.
  virtual void destroyWindow(WindowHandle window) = 0;
  // Thread-safe. Returns false when the window does not exist; delivery is asynchronous.
  virtual bool post(WindowHandle window, const Message& message) = 0;
};

}  // namespace platform
