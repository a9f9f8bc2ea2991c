// Portraits, mood pictures and the window icon.
#include "assets/art/Drawings.h"
#include "assets/art/Style.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <cmath>

namespace art {
using namespace colour;

void drawPortrait(QPainter& p, Expression expression) {
  QRadialGradient back(32, 28, 46);
  back.setColorAt(0, kWine);
  back.setColorAt(1, kNight);
  p.fillRect(QRect(0, 0, 64, 64), back);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlush);
  p.drawPath(starPath(QPointF(7, 9), 3, 1.2));
  p.drawPath(starPath(QPointF(57, 56), 2.5, 1));
  p.save();
  // The head fills the frame: design units at 0.78 px, face centre at 32, 35.
  p.translate(32, 35);
  p.scale(0.78, 0.78);
  p.translate(-50, -52);
  FortuneTeller::draw(p, expression, 1.9);
  p.restore();
  p.setPen(QPen(kHotPink, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, 63, 63));
}

namespace {

void moodBackground(QPainter& p, const QColor& top, const QColor& bottom) {
  QLinearGradient g(0, 0, 0, 150);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.fillRect(QRect(0, 0, 150, 150), g);
}

void rays(QPainter& p, QPointF c, const QColor& colour, int count) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  for (int i = 0; i < count; i += 2) {
    const double a0 = 2 * M_PI * i / count, a1 = 2 * M_PI * (i + 1) / count;
    QPolygonF ray;
    ray << c << c + QPointF(200 * std::cos(a0), 200 * std::sin(a0)) << c + QPointF(200 * std::cos(a1), 200 * std::sin(a1));
    p.drawPolygon(ray);
  }
}

// A simple face: eyes and mouth by mood, centred at c, width w.
void moodFace(QPainter& p, QPointF c, double w, int mood) {
  const double ex = w * 0.2, ey = -w * 0.05;
  p.setPen(inkPen(w * 0.06));
  p.setBrush(Qt::NoBrush);
  for (int side : {-1, 1}) {
    const QPointF e = c + QPointF(side * ex, ey);
    switch (mood) {
      case 0:  // closed, drooping
        p.drawArc(QRectF(e.x() - w * 0.08, e.y() - w * 0.06, w * 0.16, w * 0.12), 200 * 16, 140 * 16);
        break;
      case 1:  // cross eyes
        p.drawLine(e + QPointF(-w * 0.05, -w * 0.05), e + QPointF(w * 0.05, w * 0.05));
        p.drawLine(e + QPointF(-w * 0.05, w * 0.05), e + QPointF(w * 0.05, -w * 0.05));
        break;
      case 2:  // dots
        p.setBrush(kInk);
        p.drawEllipse(e, w * 0.035, w * 0.035);
        p.setBrush(Qt::NoBrush);
        break;
      default:  // happy arcs
        p.drawArc(QRectF(e.x() - w * 0.08, e.y() - w * 0.04, w * 0.16, w * 0.14), 20 * 16, 140 * 16);
        break;
    }
  }
  const QPointF m = c + QPointF(0, w * 0.16);
  switch (mood) {
    case 0:
    case 1:
      p.drawArc(QRectF(m.x() - w * 0.12, m.y() - w * 0.0, w * 0.24, w * 0.16), 20 * 16, 140 * 16);
      break;
    case 2:
      p.drawLine(m + QPointF(-w * 0.09, 0), m + QPointF(w * 0.09, 0));
      break;
    default: {
      QPainterPath smile;
      smile.moveTo(m + QPointF(-w * 0.14, -w * 0.04));
      smile.quadTo(m + QPointF(0, -w * 0.01), m + QPointF(w * 0.14, -w * 0.04));
      smile.quadTo(m + QPointF(w * 0.1, w * 0.16), m + QPointF(0, w * 0.16));
      smile.quadTo(m + QPointF(-w * 0.1, w * 0.16), m + QPointF(-w * 0.14, -w * 0.04));
      p.setBrush(kMagenta);
      p.drawPath(smile);
      break;
    }
  }
  if (mood >= 3) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 120, 170, 200));
    p.drawEllipse(c + QPointF(-w * 0.3, w * 0.1), w * 0.07, w * 0.045);
    p.drawEllipse(c + QPointF(w * 0.3, w * 0.1), w * 0.07, w * 0.045);
  }
}

void drawBlue(QPainter& p) {
  moodBackground(p, kGloom, kNight);
  p.setPen(inkPen(2, kSky));
  for (int i = 0; i < 9; ++i) {
    const double x = 18 + i * 15, y = 92 + (i * 37) % 40;
    p.drawLine(QPointF(x, y), QPointF(x - 4, y + 12));
  }
  QPainterPath cloud;
  cloud.addEllipse(QPointF(50, 70), 30, 26);
  cloud.addEllipse(QPointF(80, 55), 34, 32);
  cloud.addEllipse(QPointF(110, 72), 28, 24);
  cloud.addRoundedRect(QRectF(28, 66, 104, 28), 14, 14);
  cloud = cloud.simplified();
  p.setPen(inkPen(3.5));
  p.setBrush(QColor(0x8A, 0x8C, 0xC0));
  p.drawPath(cloud);
  moodFace(p, QPointF(80, 70), 90, 0);
  QPainterPath tear;
  tear.moveTo(60, 72);
  tear.cubicTo(54, 82, 57, 88, 61, 88);
  tear.cubicTo(65, 88, 67, 82, 60, 72);
  p.setPen(inkPen(1.5));
  p.setBrush(kSky);
  p.drawPath(tear);
  p.setPen(inkPen(3, kSky));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(75, 138), 40, 6);
}

void drawBad(QPainter& p) {
  moodBackground(p, kPlum, kNight);
  p.setPen(inkPen(3, kGold));
  QPainterPath bolt;
  bolt.moveTo(22, 18);
  bolt.lineTo(34, 36);
  bolt.lineTo(26, 38);
  bolt.lineTo(40, 58);
  p.drawPath(bolt);
  p.save();
  p.translate(128, 20);
  p.scale(-1, 1);
  p.drawPath(bolt.translated(-22, -18));
  p.restore();
  const QPointF c(75, 82);
  p.setPen(inkPen(3.5));
  p.setBrush(kMagenta);
  QPainterPath heart = heartPath(c, 104);
  // Two halves split by a zigzag crack, the right half slipped down.
  QPainterPath crack;
  crack.moveTo(75, 10);
  crack.lineTo(70, 45);
  crack.lineTo(82, 62);
  crack.lineTo(68, 84);
  crack.lineTo(80, 104);
  crack.lineTo(75, 150);
  crack.lineTo(0, 150);
  crack.lineTo(0, 10);
  crack.closeSubpath();
  p.drawPath(heart.intersected(crack));
  p.save();
  p.translate(5, 5);
  p.rotate(4);
  p.drawPath(heart.subtracted(crack));
  p.restore();
  moodFace(p, c + QPointF(0, -2), 80, 1);
}

void drawSoSo(QPainter& p) {
  moodBackground(p, kBlush, kPink);
  p.setPen(Qt::NoPen);
  p.setBrush(kLace);
  for (int i = 0; i < 5; ++i) p.drawEllipse(QPointF(15 + i * 30, 135), 22, 14);
  p.setPen(inkPen(3.5));
  p.setBrush(QColor(0xFF, 0xEC, 0xA0));
  p.drawEllipse(QPointF(70, 80), 48, 48);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xF4, 0xD2, 0x7A));
  p.drawEllipse(QPointF(52, 104), 7, 5);
  p.drawEllipse(QPointF(96, 60), 6, 4);
  moodFace(p, QPointF(70, 80), 96, 2);
  // A "…" speech bubble.
  p.setPen(inkPen(2.5));
  p.setBrush(kWhite);
  p.drawEllipse(QPointF(120, 28), 24, 16);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  for (int i = -1; i <= 1; ++i) p.drawEllipse(QPointF(120 + i * 9, 28), 2.6, 2.6);
}

void drawGood(QPainter& p) {
  moodBackground(p, kOrchid, kPink);
  rays(p, QPointF(75, 78), QColor(0xFF, 0xC0, 0xE8), 24);
  p.setPen(inkPen(3.5));
  p.setBrush(kGold);
  p.drawPath(starPath(QPointF(75, 80), 62, 30));
  moodFace(p, QPointF(75, 84), 70, 3);
  sparkle(p, QPointF(20, 22), 18, kWhite);
  sparkle(p, QPointF(130, 130), 16, kWhite);
  sparkle(p, QPointF(134, 24), 12, kGold);
}

void drawHappy(QPainter& p) {
  moodBackground(p, kGold, kOrchid);
  rays(p, QPointF(75, 80), QColor(0xFF, 0xF2, 0xA8), 20);
  // Rainbow behind the heart.
  const QColor bands[] = {kHotPink, kGold, kSky};
  for (int i = 0; i < 3; ++i) {
    p.setPen(QPen(bands[i], 8, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    const double r = 66 - i * 8;
    p.drawArc(QRectF(75 - r, 92 - r, 2 * r, 2 * r), 0, 180 * 16);
  }
  p.setPen(inkPen(3.5));
  p.setBrush(kHotPink);
  p.drawPath(heartPath(QPointF(75, 88), 104));
  moodFace(p, QPointF(75, 80), 84, 4);
  for (QPointF c : {QPointF(16, 20), QPointF(136, 18), QPointF(20, 128), QPointF(132, 132)}) sparkle(p, c, 18, kWhite);
  p.setPen(inkPen(1.5));
  p.setBrush(kMagenta);
  p.drawPath(heartPath(QPointF(30, 60), 14));
  p.drawPath(heartPath(QPointF(122, 58), 12));
}

}  // namespace

void drawMoodPicture(QPainter& p, int mood) {
  switch (mood) {
    case 0: drawBlue(p); break;
    case 1: drawBad(p); break;
    case 2: drawSoSo(p); break;
    case 3: drawGood(p); break;
    default: drawHappy(p); break;
  }
  p.setPen(QPen(kInk, 3));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRectF(1.5, 1.5, 147, 147));
}

void drawWindowIcon(QPainter& p) {
  p.fillRect(QRect(0, 0, 32, 32), kNight);
  p.setPen(inkPen(1.5));
  p.setBrush(kWine);
  p.drawRoundedRect(QRectF(1, 1, 30, 30), 7, 7);
  // The fortune stick: a striped wand with a star.
  p.setPen(inkPen(4));
  p.drawLine(QPointF(7, 27), QPointF(17, 15));
  p.setPen(inkPen(2, kBlush));
  p.drawLine(QPointF(7, 27), QPointF(17, 15));
  p.setPen(inkPen(1.5));
  p.setBrush(kGold);
  p.drawPath(starPath(QPointF(20, 12), 10, 4.5));
  p.setPen(Qt::NoPen);
  p.setBrush(kHotPink);
  p.drawPath(heartPath(QPointF(20, 12.5), 6));
  sparkle(p, QPointF(7, 8), 7, kWhite);
}

}  // namespace art
