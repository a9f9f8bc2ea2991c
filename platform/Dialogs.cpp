#include "platform/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {

QString boxTitle() {
  QString name = QApplication::applicationDisplayName();
  return name.isEmpty() ? QApplication::applicationName() : name;
}

// Runs a box over its parent's window: modal to that window, and centred over it when shown
// (QDialog places a box with a visible parent at the parent's centre).
int runBox(QMessageBox::Icon icon, QWidget* parent, const QString& text,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
  QMessageBox box(icon, boxTitle(), text, buttons, parent ? parent->window() : nullptr);
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
};

MessageBoxDialogs realDialogs;
Dialogs* current = &realDialogs;

}  // namespace

Dialogs& dialogs() { return *current; }

void setDialogs(Dialogs* replacement) { current = replacement ? replacement : &realDialogs; }

}  // namespace platform
