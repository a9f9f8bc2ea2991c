#include "platform/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <algorithm>

namespace platform {
namespace {

QString boxTitle() {
  QString name = QApplication::applicationDisplayName();
  return name.isEmpty() ? QApplication::applicationName() : name;
}

// A message box that stays centred over its parent's window. The toolkit places a box
// before its layout has settled, and the box then grows from its top-left corner; the box is
// placed again each time its size changes, kept on the parent's screen.
class CentredBox final : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    centre();
  }
  void resizeEvent(QResizeEvent* event) override {
    QMessageBox::resizeEvent(event);
    centre();
  }

 private:
  void centre() {
    QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (!owner || !owner->isVisible()) return;
    const QRect over = owner->frameGeometry();
    const QSize outer = frameGeometry().size();
    QPoint topLeft = over.center() - QPoint(outer.width() / 2, outer.height() / 2);
    if (QScreen* screen = owner->screen()) {
      const QRect area = screen->availableGeometry();
      topLeft.setX(std::clamp(topLeft.x(), area.left(), std::max(area.left(), area.right() - outer.width() + 1)));
      topLeft.setY(std::clamp(topLeft.y(), area.top(), std::max(area.top(), area.bottom() - outer.height() + 1)));
    }
    if (topLeft != pos()) move(topLeft);
  }
};

// Runs a box over its parent's window: modal to that window and centred over it.
int runBox(QMessageBox::Icon icon, QWidget* parent, const QString& text,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
  CentredBox box(icon, boxTitle(), text, buttons, parent ? parent->window() : nullptr);
  if (parent) box.setWindowModality(Qt::WindowModal);
  box.setDefaultButton(defaultButton);
  if (buttons & QMessageBox::No) box.setEscapeButton(QMessageBox::NoButton);
  return box.exec();
}

class MessageBoxDialogs final : public Dialogs {
 public:
  Answer confirm(QWidget* parent, const QString& text, Answer defaultButton) override {
    const int result =
        runBox(QMessageBox::Question, parent, text, QMessageBox::Yes | QMessageBox::No,
               defaultButton == Answer::No ? QMessageBox::No : QMessageBox::Yes);
    if (result == QMessageBox::Yes) return Answer::Yes;
    if (result == QMessageBox::No) return Answer::No;
    return Answer::Dismissed;
  }
  void inform(QWidget* parent, const QString& text) override {
    runBox(QMessageBox::Information, parent, text, QMessageBox::Ok, QMessageBox::Ok);
  }
  void error(QWidget* parent, const QString& text) override {
    runBox(QMessageBox::Critical, parent, text, QMessageBox::Ok, QMessageBox::Ok);
  }
  void open(QWidget* parent, const QString& text, bool question,
            std::function<void(Answer)> done) override {
    const QMessageBox::StandardButtons buttons =
        question ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
    auto* box = new CentredBox(question ? QMessageBox::Question : QMessageBox::Information,
                               boxTitle(), text, buttons, parent ? parent->window() : nullptr);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (parent) box->setWindowModality(Qt::WindowModal);
    box->setDefaultButton(question ? QMessageBox::Yes : QMessageBox::Ok);
    if (question) box->setEscapeButton(QMessageBox::NoButton);
    QObject::connect(box, &QDialog::finished, box, [done = std::move(done)](int result) {
      if (result == QMessageBox::Yes || result == QMessageBox::Ok)
        done(Answer::Yes);
      else if (result == QMessageBox::No)
        done(Answer::No);
      else
        done(Answer::Dismissed);
    });
    box->open();
  }
};

MessageBoxDialogs realDialogs;
Dialogs* current = &realDialogs;

}  // namespace

Dialogs& dialogs() { return *current; }

void setDialogs(Dialogs* replacement) { current = replacement ? replacement : &realDialogs; }

}  // namespace platform
