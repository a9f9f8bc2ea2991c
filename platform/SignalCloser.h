#pragma once
// Closes a window, the ordinary way, when the process is asked to end (SIGTERM, SIGINT,
// SIGHUP): a session logging out or `kill` then saves the profile like the close box does.
//
// The signal handler only writes a byte to a pipe; the window is closed later on the GUI
// thread by the event loop. At most one SignalCloser exists at a time; the previous signal
// actions are put back when it is destroyed.
//
// Make it before anything can open a box: a signal that arrives before the window is given
// is kept and closes the window as soon as it is given.
#include <QObject>
#include <csignal>

class QSocketNotifier;
class QWidget;

namespace platform {

class SignalCloser : public QObject {
 public:
  // `window` (may be given later) must outlive this object. Throws std::runtime_error if the
  // pipe or the signal actions cannot be set up.
  explicit SignalCloser(QWidget* window = nullptr);
  // The window to close; a request already received is carried out on the event loop.
  void setWindow(QWidget* window);
  ~SignalCloser() override;
  SignalCloser(const SignalCloser&) = delete;
  SignalCloser& operator=(const SignalCloser&) = delete;

  // How many signals have been turned into a close request.
  int closeRequests() const { return closeRequests_; }

 private:
  void onSignalled();

  QWidget* window_;
  QSocketNotifier* notifier_ = nullptr;
  int pipe_[2] = {-1, -1};
  struct sigaction previous_[3] = {};
  int closeRequests_ = 0;
  bool pending_ = false;  // a request came while no window was given
};

}  // namespace platform
