// Pictures on a high-resolution screen: at a whole device pixel ratio a picture shown at its
// own size is copied pixel for pixel (each one a hard-edged block), while a real stretch to
// the control stays smoothed.
#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include "platform/PictureBox.h"

namespace platform {
namespace {

// Alternating black and white single pixels: any blending shows up as grey.
QImage checkerboard(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.setPixel(x, y, (x + y) % 2 ? 0xFFFFFFFFu : 0xFF000000u);
  return image;
}

// The control as the screen shows it at `ratio` device pixels per logical pixel.
QImage renderAt(PictureBox& box, qreal ratio) {
  QImage device(box.size() * ratio, QImage::Format_RGB32);
  device.setDevicePixelRatio(ratio);
  device.fill(Qt::red);
  box.render(&device);
  return device;
}

bool isPureBlackOrWhite(QRgb pixel) {
  return (pixel & 0xFFFFFFu) == 0 || (pixel & 0xFFFFFFu) == 0xFFFFFFu;
}

TEST(PictureBoxScalingTest, SmoothingOnlyForRealStretchesAndFractionalRatios) {
  struct Case {
    QSize picture, target;
    qreal ratio;
    bool smooth;
  };
  const Case cases[] = {
      {{64, 64}, {64, 64}, 1.0, false}, {{64, 64}, {64, 64}, 2.0, false},
      {{64, 64}, {64, 64}, 3.0, false}, {{64, 64}, {64, 64}, 1.5, true},
      {{477, 355}, {485, 357}, 1.0, true}, {{477, 355}, {485, 357}, 2.0, true},
      {{173, 304}, {181, 345}, 2.0, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.picture.width() << "x" << c.picture.height() << " -> "
                                    << c.target.width() << "x" << c.target.height() << " @" << c.ratio);
    EXPECT_EQ(PictureBox::smoothScaling(c.picture, c.target, c.ratio), c.smooth);
  }
}

TEST(PictureBoxScalingTest, PictureAtItsOwnSizeBecomesHardBlocksAtWholeRatios) {
  for (bool stretch : {false, true}) {  // stretched to a control of its own size: no stretch
    for (int ratio : {1, 2, 3}) {
      SCOPED_TRACE(testing::Message() << "stretch " << stretch << ", ratio " << ratio);
      PictureBox box(nullptr);
      box.resize(9, 7);
      box.setStretch(stretch);
      const QImage picture = checkerboard(9, 7);
      box.setPicture(picture);
      const QImage shown = renderAt(box, ratio);
      ASSERT_EQ(shown.size(), QSize(9 * ratio, 7 * ratio));
      int wrong = 0;
      for (int y = 0; y < shown.height(); ++y)
        for (int x = 0; x < shown.width(); ++x)
          if ((shown.pixel(x, y) & 0xFFFFFFu) != (picture.pixel(x / ratio, y / ratio) & 0xFFFFFFu)) ++wrong;
      EXPECT_EQ(wrong, 0);
    }
  }
}

TEST(PictureBoxScalingTest, TransparentPictureKeepsItsKeyedPixelsAtDoubleRatio) {
  PictureBox box(nullptr);
  box.resize(4, 4);
  QImage picture(4, 4, QImage::Format_RGB32);
  picture.fill(0xFF00FF00u);                   // bottom-left colour: the key
  picture.setPixel(1, 1, 0xFF0000FFu);
  box.setTransparent(true);
  box.setPicture(picture);
  const QImage shown = renderAt(box, 2);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool blue = x / 2 == 1 && y / 2 == 1;
      // Keyed pixels let the red background through; the kept one is a sharp 2 × 2 block.
      EXPECT_EQ(shown.pixel(x, y) & 0xFFFFFFu, blue ? 0x0000FFu : 0xFF0000u) << x << "," << y;
    }
}

TEST(PictureBoxScalingTest, RealStretchIsSmoothedAtDoubleRatio) {
  PictureBox box(nullptr);
  box.resize(12, 10);
  box.setStretch(true);
  box.setPicture(checkerboard(8, 8));
  const QImage shown = renderAt(box, 2);
  int blended = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x)
      if (!isPureBlackOrWhite(shown.pixel(x, y))) ++blended;
  // Smoothing a 1-pixel checkerboard by 1.5 in each direction leaves many grey pixels; a
  // nearest-neighbour copy would leave none.
  EXPECT_GT(blended, shown.width() * shown.height() / 4);
}

// Frames drawn one after another: each full-size frame replaces what was there, a smaller
// picture drawn at a point leaves the rest of the canvas alone, and a frame drawn earlier is
// never changed by what is drawn over it later.
TEST(PictureBoxDrawingTest, FullFramesReplaceSmallPicturesOverlayAndSourcesStayIntact) {
  PictureBox box(nullptr);
  box.resize(8, 6);
  QImage red(8, 6, QImage::Format_RGB32), blue(8, 6, QImage::Format_RGB32);
  red.fill(Qt::red);
  blue.fill(Qt::blue);
  QImage patch(2, 2, QImage::Format_RGB32);
  patch.fill(Qt::green);

  box.drawAt(QPoint(0, 0), red);
  box.drawAt(QPoint(3, 2), patch);
  EXPECT_EQ(box.picture().pixel(3, 2), QColor(Qt::green).rgb());
  EXPECT_EQ(box.picture().pixel(0, 0), QColor(Qt::red).rgb());
  EXPECT_EQ(red.pixel(3, 2), QColor(Qt::red).rgb());  // the frame itself is untouched

  box.drawAt(QPoint(0, 0), blue);
  EXPECT_EQ(box.picture().pixel(3, 2), QColor(Qt::blue).rgb());
  EXPECT_EQ(renderAt(box, 1).pixel(7, 5), QColor(Qt::blue).rgb());
}

}  // namespace
}  // namespace platform
