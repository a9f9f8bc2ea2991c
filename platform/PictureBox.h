#pragma once
// A picture control with a canvas: shows a picture (at its own size or stretched to the
// control), optionally with a transparent colour, and can be drawn on.
#include <QImage>
#include <QWidget>
#include <functional>

namespace platform {

class PictureBox : public QWidget {
 public:
  explicit PictureBox(QWidget* parent);

  void setPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }
  bool hasPicture() const { return !picture_.isNull(); }

  // Draw the picture stretched to the control instead of at its own size.
  void setStretch(bool stretch);
  // The colour of the picture's bottom-left pixel is not drawn.
  void setTransparent(bool transparent);

  // The drawing surface is the picture itself; an empty picture becomes a blank bitmap of
  // the control's size on first use.
  QImage& canvas();
  // Copies sourceRect of source onto the canvas, stretched to dest (which may lie partly
  // outside the canvas). A plain copy: no blending, no smoothing.
  void stretchCopy(const QRect& dest, const QImage& source, const QRect& sourceRect);
  // Draws source at its own size with its top-left corner at point.
  void drawAt(const QPoint& point, const QImage& source);

  // Mouse presses (any button). Without a handler a press is taken and ignored.
  std::function<void()> onMouseDown;
  void setHandCursor(bool hand);

  // Whether drawing a picture of size `picture` into `target` (both in logical pixels) on a
  // device with the given pixel ratio blends neighbouring pixels. Only a real stretch, or a
  // fractional ratio where whole-pixel copies would give uneven rows, is smoothed; at 1×, 2×,
  // 3× … an unstretched picture is copied pixel for pixel so it stays sharp.
  static bool smoothScaling(const QSize& picture, const QSize& target, qreal devicePixelRatio);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage picture_;
  QImage shown_;  // picture_ with the transparent colour keyed out, made on change
  const QImage& shown() const { return transparent_ ? shown_ : picture_; }
  bool stretch_ = false;
  bool transparent_ = false;
  void rebuildShown();
  void updateOpaque();
};

}  // namespace platform
