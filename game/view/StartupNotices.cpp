#include "game/view/StartupNotices.h"

#include <QMetaObject>
#include <QWidget>
#include <exception>

#include "platform/Dialogs.h"

namespace game {

void StartupNotices::run(const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    pending_.push_back({true, QString::fromUtf8(e.what())});
  } catch (...) {
    pending_.push_back({true, QStringLiteral("Unknown error")});
  }
}

void StartupNotices::showSoon() {
  if (!pending_.empty())
    QMetaObject::invokeMethod(&window_, [this] { showAll(); }, Qt::QueuedConnection);
}

void StartupNotices::showAll() {
  std::vector<Pending> boxes;
  boxes.swap(pending_);
  for (const Pending& box : boxes) {
    if (closing_()) return;
    if (box.error)
      platform::dialogs().error(&window_, box.text);
    else
      platform::dialogs().inform(&window_, box.text);
  }
}

}  // namespace game
