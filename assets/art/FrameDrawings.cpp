// The frames around the conversation: status panel (P1), decoration below the speech bar
// (P2) and the speech bar (P3).
#include "assets/art/Drawings.h"
#include "assets/art/Style.h"

#include <QLinearGradient>
#include <cmath>

namespace art {
using namespace colour;

namespace {

void crescent(QPainter& p, QPointF c, double r, const QColor& fill, const QColor& cut) {
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawEllipse(c, r, r);
  p.setBrush(cut);
  p.drawEllipse(c + QPointF(r * 0.45, -r * 0.3), r * 0.85, r * 0.85);
}

}  // namespace

void drawStatusFrame(QPainter& p) {
  // Drawn in the 181 × 345 shape it is shown at; the white status text sits in
  // 16, 16 – 169, 233 of that shape, over the dark inside.
  p.fillRect(QRect(0, 0, 173, 304), kFuchsia);
  p.scale(173.0 / 181.0, 304.0 / 345.0);
  const QRectF outer(2, 2, 177, 341);
  p.setPen(Qt::NoPen);
  p.setBrush(kPink);
  p.drawRoundedRect(outer, 16, 16);
  p.setBrush(kMagenta);
  p.drawRoundedRect(outer.adjusted(3, 3, -3, -3), 13, 13);
  p.setBrush(kInk);
  p.drawRoundedRect(outer.adjusted(7, 7, -7, -7), 10, 10);
  // A pink rule under the text area, then a moon and stars in the foot of the frame.
  p.setPen(QPen(kPink, 1.5, Qt::DashLine));
  p.drawLine(QPointF(20, 248), QPointF(161, 248));
  crescent(p, QPointF(60, 292), 26, kPink, kInk);
  p.setPen(Qt::NoPen);
  p.setBrush(kPink);
  p.drawPath(starPath(QPointF(122, 280), 11, 4.5));
  p.drawPath(starPath(QPointF(146, 312), 7, 3));
  p.drawPath(starPath(QPointF(106, 320), 5, 2));
  p.setBrush(kMagenta);
  p.drawPath(heartPath(QPointF(142, 266), 10));
  // Corner studs.
  p.setBrush(kPink);
  for (QPointF c : {QPointF(14, 14), QPointF(167, 14), QPointF(14, 331), QPointF(167, 331)})
    p.drawEllipse(c, 3, 3);
}

void drawSpeechBar(QPainter& p) {
  p.fillRect(QRect(0, 0, 301, 52), kFuchsia);
  // Pink rim, magenta ring, dark inside; a little tail at the top points up to the portrait.
  // The speech text fills 12, 9 – 289, 49, so everything but the dark inside stays outside it.
  auto bubble = [](double inset, double tailHeight) {
    QPainterPath body;
    body.addRoundedRect(QRectF(1 + inset, 6 + inset, 299 - 2 * inset, 45 - 2 * inset), 12 - inset, 12 - inset);
    QPainterPath tail;
    tail.moveTo(52 + inset, 8 + inset);
    tail.lineTo(62, 8 + inset - tailHeight);
    tail.lineTo(74 - inset, 8 + inset);
    tail.closeSubpath();
    return body.united(tail);
  };
  p.setPen(Qt::NoPen);
  p.setBrush(kPink);
  p.drawPath(bubble(0, 7.5));
  p.setBrush(kMagenta);
  p.drawPath(bubble(1.5, 6.5));
  p.setBrush(kInk);
  p.drawPath(bubble(3, 5.5));
}

void drawDecoration(QPainter& p) {
  p.fillRect(QRect(0, 0, 310, 150), kFuchsia);
  // A night scene in a lace frame; the input panels cover its middle, so its edges show
  // around them.
  const QRectF scene(4, 4, 302, 140);
  QLinearGradient sky(0, 4, 0, 144);
  sky.setColorAt(0, kNight);
  sky.setColorAt(0.6, kPlum);
  sky.setColorAt(1, kWine);
  p.setPen(inkPen(2));
  p.setBrush(sky);
  p.drawRoundedRect(scene, 10, 10);

  // Stars, a moon and a bat.
  p.setPen(Qt::NoPen);
  const QPointF stars[] = {{30, 24}, {80, 14}, {120, 40}, {172, 18}, {205, 44}, {236, 16}, {62, 52}, {150, 60}, {98, 76}};
  for (std::size_t i = 0; i < std::size(stars); ++i) {
    p.setBrush(i % 3 == 0 ? kGold : kBlush);
    p.drawPath(starPath(stars[i], i % 2 ? 3.5 : 5.5, i % 2 ? 1.4 : 2.2));
  }
  p.setBrush(kGold);
  p.drawEllipse(QPointF(268, 32), 16, 16);
  p.setBrush(kNight);
  p.drawEllipse(QPointF(276, 26), 14, 14);
  {
    QPainterPath bat;
    const QPointF c(226, 72);
    bat.moveTo(c + QPointF(0, -4));
    bat.cubicTo(c + QPointF(-6, -10), c + QPointF(-14, -8), c + QPointF(-20, -12));
    bat.cubicTo(c + QPointF(-16, -4), c + QPointF(-16, 2), c + QPointF(-12, 4));
    bat.cubicTo(c + QPointF(-8, 0), c + QPointF(-4, 4), c + QPointF(0, 6));
    bat.cubicTo(c + QPointF(4, 4), c + QPointF(8, 0), c + QPointF(12, 4));
    bat.cubicTo(c + QPointF(16, 2), c + QPointF(16, -4), c + QPointF(20, -12));
    bat.cubicTo(c + QPointF(14, -8), c + QPointF(6, -10), c + QPointF(0, -4));
    p.setBrush(kInk);
    p.setPen(inkPen(1, kHotPink));
    p.drawPath(bat);
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    p.drawEllipse(c + QPointF(-2.5, -1), 1.2, 1.2);
    p.drawEllipse(c + QPointF(2.5, -1), 1.2, 1.2);
  }

  // A crystal ball on a stand between two candles.
  const QPointF ball(155, 100);
  p.setPen(inkPen(2));
  p.setBrush(kInk);
  QPainterPath stand;
  stand.moveTo(ball + QPointF(-26, 38));
  stand.lineTo(ball + QPointF(-18, 20));
  stand.lineTo(ball + QPointF(18, 20));
  stand.lineTo(ball + QPointF(26, 38));
  stand.closeSubpath();
  p.drawPath(stand);
  QRadialGradient glass(ball + QPointF(-8, -10), 32);
  glass.setColorAt(0, kWhite);
  glass.setColorAt(0.35, kBlush);
  glass.setColorAt(1, kMagenta);
  p.setBrush(glass);
  p.drawEllipse(ball, 27, 27);
  sparkle(p, ball + QPointF(6, 4), 14, kWhite);
  p.setPen(inkPen(1.2, kGold));
  p.setBrush(Qt::NoBrush);
  p.drawLine(ball + QPointF(-18, 24), ball + QPointF(18, 24));
  for (double x : {92.0, 218.0}) {
    p.setPen(inkPen(1.5));
    p.setBrush(kLace);
    p.drawRoundedRect(QRectF(x - 6, 106, 12, 32), 2, 2);
    p.setPen(Qt::NoPen);
    p.setBrush(kGold);
    QPainterPath flame;
    flame.moveTo(x, 90);
    flame.cubicTo(x + 7, 98, x + 5, 104, x, 104);
    flame.cubicTo(x - 5, 104, x - 7, 98, x, 90);
    p.drawPath(flame);
    p.setBrush(kWhite);
    p.drawEllipse(QPointF(x, 100), 1.8, 3);
  }

  // Lace all round, over the edge of the scene.
  const double bump = 5;
  // (Scallops bulge to the left of the direction of travel, so each edge runs clockwise
  // backwards to make them face outwards.)
  laceEdge(p, QPointF(302, 144), QPointF(8, 144), bump, kInk, kHotPink, 1);
  laceEdge(p, QPointF(8, 4), QPointF(302, 4), bump, kInk, kHotPink, 1);
  laceEdge(p, QPointF(4, 140), QPointF(4, 8), bump, kInk, kHotPink, 1);
  laceEdge(p, QPointF(306, 8), QPointF(306, 140), bump, kInk, kHotPink, 1);
  // Magenta bows on the two lower corners.
  for (double x : {14.0, 296.0}) {
    p.setPen(inkPen(1.2));
    p.setBrush(kHotPink);
    QPainterPath bow;
    bow.moveTo(x, 136);
    bow.cubicTo(x - 12, 126, x - 14, 146, x, 136);
    bow.moveTo(x, 136);
    bow.cubicTo(x + 12, 126, x + 14, 146, x, 136);
    p.drawPath(bow);
    p.setBrush(kMagenta);
    p.drawEllipse(QPointF(x, 136), 2.5, 2.5);
  }
}

}  // namespace art
