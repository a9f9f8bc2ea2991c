#pragma once
// A whole-number spin field. Arrow buttons and the Up/Down keys step by 1 within the range;
// typing accepts digits, "+", "-" and the decimal separator (control keys such as Backspace
// too), and refuses every other character with a beep. Return and Enter are left to the
// parent window (which presses the panel's OK). On focus loss a
// value outside the range is replaced by the nearest bound. The text may hold anything the
// keys allow; value() reads it as a number limited to the range, a text that is not a whole
// number reading as the minimum.
//
// To the accessibility bridge it is a spin button whose Value interface reports value(),
// minimum() and maximum() (read through the properties below), named by
// setAccessibleName() or by the label given to setLabel().
#include <QAbstractSpinBox>
#include <functional>

class QLabel;

namespace platform {

class SpinField : public QAbstractSpinBox {
  Q_OBJECT
  Q_PROPERTY(int value READ value WRITE setValue)
  Q_PROPERTY(int minimum READ minimum CONSTANT)
  Q_PROPERTY(int maximum READ maximum CONSTANT)

 public:
  SpinField(QWidget* parent, int minimum, int maximum, int start);

  int value() const;
  void setValue(int value);
  int minimum() const { return minimum_; }
  int maximum() const { return maximum_; }
  // `label` (a sibling) names the field and is reported as labelling it.
  void setLabel(QLabel* label);

  // Every change of the text: arrows, keys, typing, setValue.
  std::function<void()> onChange;
  // Replaces the toolkit's beep (tests count refusals through it).
  std::function<void()> onBeep;

  void stepBy(int steps) override;

 protected:
  QValidator::State validate(QString& input, int& pos) const override;
  StepEnabled stepEnabled() const override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  int minimum_;
  int maximum_;
  int clamp(long long v) const;
  static bool isAcceptedCharacter(QChar c);
};

}  // namespace platform
