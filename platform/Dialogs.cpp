#include "platform/Dialogs.h"

#include <QApplication>
#include <QMessageBox>

namespace platform {
namespace {

QString boxTitle() {
  QString name = QApplication::applicationDisplayName();
  return name.isEmpty() ? QApplication::applicationName() : name;
}

class MessageBoxDialogs final : public Dialogs {
 public:
  Answer confirm(QWidget* parent, const QString& text) override {
    QMessageBox box(QMessageBox::Question, boxTitle(), text, QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setEscapeButton(QMessageBox::NoButton);
    int result = box.exec();
    if (result == QMessageBox::Yes) return Answer::Yes;
    if (result == QMessageBox::No) return Answer::No;
    return Answer::Dismissed;
  }
  void inform(QWidget* parent, const QString& text) override {
    QMessageBox::information(parent, boxTitle(), text);
  }
  void error(QWidget* parent, const QString& text) override {
    QMessageBox::critical(parent, boxTitle(), text);
  }
};

MessageBoxDialogs realDialogs;
Dialogs* current = &realDialogs;

}  // namespace

Dialogs& dialogs() { return *current; }

void setDialogs(Dialogs* replacement) { current = replacement ? replacement : &realDialogs; }

}  // namespace platform
