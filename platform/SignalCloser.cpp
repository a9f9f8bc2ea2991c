#include "platform/SignalCloser.h"

#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace platform {
namespace {

constexpr int kSignals[3] = {SIGTERM, SIGINT, SIGHUP};
volatile std::sig_atomic_t gWriteEnd = -1;  // the pipe end the handler writes to

void onTerminationSignal(int) {
  const int savedErrno = errno;  // the interrupted code may be about to read errno
  const char byte = 1;
  // A full pipe already holds a request; nothing more to say.
  [[maybe_unused]] ssize_t written = ::write(gWriteEnd, &byte, 1);
  errno = savedErrno;
}

}  // namespace

SignalCloser::SignalCloser(QWidget* window) : QObject(nullptr), window_(window) {
  if (gWriteEnd != -1) throw std::logic_error("only one SignalCloser at a time");
  if (::pipe2(pipe_, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("cannot make the signal pipe");
  gWriteEnd = pipe_[1];
  struct sigaction action = {};
  action.sa_handler = onTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int i = 0; i < 3; ++i) ::sigaction(kSignals[i], &action, &previous_[i]);
  notifier_ = new QSocketNotifier(pipe_[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { onSignalled(); });
}

SignalCloser::~SignalCloser() {
  for (int i = 0; i < 3; ++i) ::sigaction(kSignals[i], &previous_[i], nullptr);
  gWriteEnd = -1;
  delete notifier_;
  ::close(pipe_[0]);
  ::close(pipe_[1]);
}

void SignalCloser::onSignalled() {
  char bytes[64];
  while (::read(pipe_[0], bytes, sizeof bytes) > 0) {
  }
  ++closeRequests_;
  if (!window_) {
    pending_ = true;
    return;
  }
  // close() runs the window's close handler, which may save and may refuse; a refused close
  // leaves the game running, just as with the close box.
  window_->close();
}

void SignalCloser::setWindow(QWidget* window) {
  window_ = window;
  if (window_ && pending_) {
    pending_ = false;
    QMetaObject::invokeMethod(window_, [window] { window->close(); }, Qt::QueuedConnection);
  }
}

}  // namespace platform
