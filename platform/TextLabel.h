#pragma once
// A text label. Its caption uses a single carriage return (\r) as the line break, as the
// game's texts do; the label shows it as a line break. To the accessibility bridge it is
// static text with its text readable, or a push button when it is pressable.
#include <QLabel>
#include <cstddef>
#include <functional>
#include <vector>

#include "platform/KeyboardFocusMark.h"

namespace platform {

class Announcer;

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

  // A choice the player clicks: a push button with a press action to the accessibility
  // bridge. Off by default, since some clickable labels only repeat a hotspot beside them.
  // Like a hotspot it becomes a tab stop only when the window gives it Qt::TabFocus; focused,
  // it shows the focus mark while the keyboard is in use, and Space presses it.
  void setPressable(bool pressable);
  bool pressable() const { return pressable_; }
  // What a click does (onMouseDown). Exceptions stop at the handler boundary.
  void press();
  bool focusMarked() const { return KeyboardFocusMark::shownOn(*this); }

  // What a screen reader reads for the label (its name and its text): the accessible name
  // when one is set, for a caption whose shown form does not read well (stars, a number
  // whose heading is drawn in the picture behind it), else the text shown.
  QString spokenText() const;

  // Has a screen reader say the spoken text once, though the label never has the focus
  // (see Announcer for the event used and why). Nothing is said while the label is hidden.
  void announce();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  bool autoSize_ = false;
  bool pressable_ = false;
  static constexpr std::size_t kAnnouncers = 4;
  std::vector<Announcer*> announcers_;  // children, made by announce() as needed
  std::size_t newestAnnouncer_ = 0;
};

}  // namespace platform
