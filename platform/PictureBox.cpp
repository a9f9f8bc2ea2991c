#include "platform/PictureBox.h"

#include <QMouseEvent>
#include <QResizeEvent>
#include <QPainter>
#include <cmath>

#include "platform/HandlerGuard.h"

namespace platform {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_NoSystemBackground);
}

void PictureBox::setPicture(const QImage& picture) {
  picture_ = picture;
  rebuildShown();
}

void PictureBox::setStretch(bool stretch) {
  stretch_ = stretch;
  updateOpaque();
  update();
}

void PictureBox::setTransparent(bool transparent) {
  transparent_ = transparent;
  rebuildShown();
}

QImage& PictureBox::canvas() {
  if (picture_.isNull()) {
    picture_ = QImage(size(), QImage::Format_RGB32);
    picture_.fill(Qt::white);
  } else if (picture_.format() != QImage::Format_RGB32 &&
             picture_.format() != QImage::Format_ARGB32) {
    picture_ = picture_.convertToFormat(QImage::Format_RGB32);
  }
  return picture_;
}

void PictureBox::stretchCopy(const QRect& dest, const QImage& source, const QRect& sourceRect) {
  QImage& target = canvas();
  {
    QPainter painter(&target);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    if (source.rect().contains(sourceRect) && !source.hasAlphaChannel()) {
      painter.drawImage(QRectF(dest), source, QRectF(sourceRect));
    } else {
      // Parts of sourceRect outside the source picture read as white, like a blank bitmap.
      QImage padded(sourceRect.size(), QImage::Format_RGB32);
      padded.fill(Qt::white);
      {
        QPainter sourcePainter(&padded);
        sourcePainter.drawImage(QPoint(0, 0), source, sourceRect);
      }
      painter.drawImage(QRectF(dest), padded);
    }
  }
  rebuildShown();
}

void PictureBox::drawAt(const QPoint& point, const QImage& source) {
  if (source.isNull()) return;
  // An opaque picture that covers the whole canvas replaces it: sharing it costs nothing,
  // where painting it would copy the canvas (shared with what is shown) and then the
  // picture, 20 times a second for the title animation.
  const QSize canvasSize = picture_.isNull() ? size() : picture_.size();
  if (point.isNull() && source.size() == canvasSize &&
      source.format() == QImage::Format_RGB32) {
    picture_ = source;
    rebuildShown();
    return;
  }
  QImage& target = canvas();
  {
    QPainter painter(&target);
    painter.drawImage(point, source);
  }
  rebuildShown();
}

void PictureBox::setHandCursor(bool hand) {
  if (hand)
    setCursor(Qt::PointingHandCursor);
  else
    unsetCursor();
}

void PictureBox::rebuildShown() {
  // Without a transparent colour the picture itself is shown: keeping a second reference
  // to it would make the next drawing on the canvas copy the whole picture first.
  shown_ = QImage();
  if (transparent_ && !picture_.isNull()) {
    QRgb key = picture_.pixel(0, picture_.height() - 1);
    shown_ = picture_.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < shown_.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(shown_.scanLine(y));
      for (int x = 0; x < shown_.width(); ++x)
        if ((line[x] & 0xFFFFFFu) == (key & 0xFFFFFFu)) line[x] = 0;
    }
  }
  updateOpaque();
  update();
}

// A picture that fills the control with opaque pixels hides whatever lies beneath it: the
// toolkit then paints neither the parent's background nor the controls under it when this
// one changes (the title animation would otherwise repaint the whole window 20 times a
// second).
void PictureBox::updateOpaque() {
  const QImage& image = shown();
  const bool fills = stretch_ || (image.width() >= width() && image.height() >= height());
  setAttribute(Qt::WA_OpaquePaintEvent, !image.isNull() && !image.hasAlphaChannel() && fills);
}

void PictureBox::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  updateOpaque();
}

void PictureBox::paintEvent(QPaintEvent*) {
  const QImage& image = shown();
  if (image.isNull()) return;
  QPainter painter(this);
  const QRect target = stretch_ ? rect() : QRect(QPoint(0, 0), image.size());
  painter.setRenderHint(QPainter::SmoothPixmapTransform,
                        smoothScaling(image.size(), target.size(), painter.device()->devicePixelRatio()));
  painter.drawImage(target, image);
}

bool PictureBox::smoothScaling(const QSize& picture, const QSize& target, qreal devicePixelRatio) {
  if (picture != target) return true;  // a real stretch: blend rather than drop or double rows
  // Each picture pixel becomes a whole block of device pixels: copy it, keep the edges hard.
  return devicePixelRatio != std::floor(devicePixelRatio);
}

void PictureBox::mousePressEvent(QMouseEvent* event) {
  event->accept();
  if (onMouseDown) guarded(window(), onMouseDown);
}

}  // namespace platform
