#pragma once
// Modal message boxes. Everything goes through one replaceable Dialogs object so that tests
// answer the boxes through a seam instead of clicking real windows. A box given a parent is
// centred over the parent's window and modal to that window only.
#include <QString>
#include <functional>

class QWidget;

namespace platform {

enum class Answer { Yes, No, Dismissed };

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // A confirmation box with the buttons Yes and No; Return presses `defaultButton` (Yes or No).
  virtual Answer confirm(QWidget* parent, const QString& text,
                         Answer defaultButton = Answer::Yes) = 0;
  // An information box with one OK button.
  virtual void inform(QWidget* parent, const QString& text) = 0;
  // The standard error box, used where an exception reaches an event-handler boundary.
  virtual void error(QWidget* parent, const QString& text) = 0;
  // A box that does not block: a Yes/No question (Yes the default button) when `question`,
  // else a notice with OK. `done` runs once, from the event loop, when the box closes: Yes
  // or No for a question, Yes for a notice's OK, Dismissed when the box was rejected
  // unanswered. A box whose parent window goes first is destroyed without calling `done`.
  virtual void open(QWidget* parent, const QString& text, bool question,
                    std::function<void(Answer)> done) = 0;
};

// The process's dialogs: real message boxes unless replaced.
Dialogs& dialogs();
// Replaces the dialogs (nullptr restores the real ones). The caller keeps ownership.
void setDialogs(Dialogs* replacement);

}  // namespace platform
