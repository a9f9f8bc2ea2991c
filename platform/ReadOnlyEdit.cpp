#include "platform/ReadOnlyEdit.h"

namespace platform {

ReadOnlyEdit::ReadOnlyEdit(QWidget* parent, const QColor& background, const QColor& textColor)
    : QLineEdit(parent) {
  setReadOnly(true);
  setFrame(false);
  setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  setTextMargins(1, 0, 0, 0);
  QPalette p = palette();
  p.setColor(QPalette::Base, background);
  p.setColor(QPalette::Text, textColor);
  setPalette(p);
}

}  // namespace platform
