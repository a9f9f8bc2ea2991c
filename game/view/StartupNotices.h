#pragma once
// The reports of the window's start-up: the profile's notices and the failures of its steps.
// They are kept until the window is on screen and then shown over it, one box after the
// other, each centred over the window and modal to it.
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace game {

class StartupNotices {
 public:
  // `closing` tells whether a close was accepted meanwhile: the rest are not shown then.
  StartupNotices(QWidget& window, std::function<bool()> closing)
      : window_(window), closing_(std::move(closing)) {}

  void notice(const QString& text) { pending_.push_back({false, text}); }
  // Runs one start-up step on its own: a failure is kept as an error report and the other
  // steps still run, so the window always opens laid out and playable.
  void run(const std::function<void()>& step);
  // On the window's first show: the boxes open from the event loop, once it is on screen.
  void showSoon();

 private:
  struct Pending {
    bool error;
    QString text;
  };
  void showAll();

  QWidget& window_;
  std::function<bool()> closing_;
  std::vector<Pending> pending_;
};

}  // namespace game
