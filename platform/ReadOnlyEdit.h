#pragma once
// A flat, borderless, read-only edit field: shows text that only the program changes.
#include <QLineEdit>

namespace platform {

class ReadOnlyEdit : public QLineEdit {
 public:
  ReadOnlyEdit(QWidget* parent, const QColor& background, const QColor& textColor);
};

}  // namespace platform
