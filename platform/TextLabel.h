#pragma once
// A text label. Its caption uses a single carriage return (\r) as the line break, as the
// game's texts do; the label shows it as a line break.
#include <QLabel>
#include <functional>

namespace platform {

class TextLabel : public QLabel {
 public:
  explicit TextLabel(QWidget* parent);

  void setCaption(const QString& caption);
  const QString& caption() const { return caption_; }

  // Transparent: the parent shows through behind the text. Otherwise background fills.
  void setTransparent(bool transparent, const QColor& background = Qt::white);
  void setTextColor(const QColor& color);
  // Auto size: the label sizes itself to its caption.
  void setAutoSize(bool autoSize);

  // Mouse presses (any button). Without a handler the press goes to the parent.
  std::function<void()> onMouseDown;

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString caption_;
  bool autoSize_ = false;
};

}  // namespace platform
