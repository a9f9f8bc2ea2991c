#include "assets/art/FortuneTeller.h"

#include "assets/art/Style.h"

#include <QLinearGradient>
#include <QRadialGradient>

namespace art {
using namespace colour;

void FortuneTeller::draw(QPainter& p, Expression e, double outline) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing, true);
  drawBackHair(p, outline);
  drawBody(p, outline);
  drawFace(p, outline);
  drawEyes(p, e, outline);
  drawBangsAndBonnet(p, outline);
  drawBrows(p, e, outline);
  drawMouth(p, e, outline);
  drawMarks(p, e, outline);
  p.restore();
}

void FortuneTeller::drawBackHair(QPainter& p, double outline) {
  QPainterPath hair;
  hair.moveTo(50, 18);
  hair.cubicTo(22, 18, 14, 36, 16, 58);
  hair.cubicTo(17, 76, 12, 90, 8, 104);
  hair.lineTo(92, 104);
  hair.cubicTo(88, 90, 83, 76, 84, 58);
  hair.cubicTo(86, 36, 78, 18, 50, 18);
  hair.closeSubpath();
  p.setPen(inkPen(outline));
  p.setBrush(kHair);
  p.drawPath(hair);
  // Strands: a few lighter strokes down the long hair.
  p.setPen(inkPen(outline * 0.7, kHairShine));
  p.drawLine(QPointF(19, 70), QPointF(14, 96));
  p.drawLine(QPointF(81, 70), QPointF(86, 96));
}

void FortuneTeller::drawBody(QPainter& p, double outline) {
  QPainterPath dress;
  dress.moveTo(26, 104);
  dress.cubicTo(28, 90, 38, 84, 50, 84);
  dress.cubicTo(62, 84, 72, 90, 74, 104);
  dress.closeSubpath();
  p.setPen(inkPen(outline));
  p.setBrush(kNight);
  p.drawPath(dress);
  // Neck.
  p.setBrush(kSkin);
  p.drawRect(QRectF(45, 74, 10, 11));
  // Lace collar: two scalloped wings.
  laceEdge(p, QPointF(50, 86), QPointF(32, 92), 3.0, kLace, kInk, outline * 0.6);
  laceEdge(p, QPointF(68, 92), QPointF(50, 86), 3.0, kLace, kInk, outline * 0.6);
  // Ribbon at the throat with a little cross.
  p.setPen(inkPen(outline * 0.8));
  p.setBrush(kMagenta);
  QPainterPath bow;
  bow.moveTo(50, 86);
  bow.lineTo(42, 81);
  bow.lineTo(42, 91);
  bow.closeSubpath();
  bow.moveTo(50, 86);
  bow.lineTo(58, 81);
  bow.lineTo(58, 91);
  bow.closeSubpath();
  p.drawPath(bow);
  p.drawEllipse(QPointF(50, 86), 2.4, 2.4);
  p.setPen(inkPen(outline * 0.9, kGold));
  p.drawLine(QPointF(50, 90), QPointF(50, 99));
  p.drawLine(QPointF(47, 93), QPointF(53, 93));
}

void FortuneTeller::drawFace(QPainter& p, double outline) {
  QPainterPath face;
  face.moveTo(24, 48);
  face.cubicTo(24, 30, 76, 30, 76, 48);
  face.cubicTo(76, 64, 66, 76, 50, 79);
  face.cubicTo(34, 76, 24, 64, 24, 48);
  face.closeSubpath();
  p.setPen(inkPen(outline));
  p.setBrush(kSkin);
  p.drawPath(face);
  // Cheeks with three little blush strokes each.
  p.setPen(Qt::NoPen);
  QColor cheek = kCheek;
  p.setBrush(cheek);
  p.drawEllipse(QPointF(33, 64), 5.5, 3.2);
  p.drawEllipse(QPointF(67, 64), 5.5, 3.2);
  p.setPen(inkPen(outline * 0.45, kMagenta));
  for (int i = -1; i <= 1; ++i) {
    p.drawLine(QPointF(33 + i * 2.6 + 0.8, 62.5), QPointF(33 + i * 2.6 - 0.8, 65.5));
    p.drawLine(QPointF(67 + i * 2.6 + 0.8, 62.5), QPointF(67 + i * 2.6 - 0.8, 65.5));
  }
}

void FortuneTeller::drawBangsAndBonnet(QPainter& p, double outline) {
  // Straight-cut bangs with a few points, and side locks framing the cheeks.
  QPainterPath bangs;
  bangs.moveTo(20, 52);
  bangs.cubicTo(18, 30, 32, 22, 50, 22);
  bangs.cubicTo(68, 22, 82, 30, 80, 52);
  bangs.lineTo(77, 44);
  bangs.lineTo(72, 46);
  bangs.lineTo(68, 41);
  bangs.lineTo(62, 45);
  bangs.lineTo(57, 40);
  bangs.lineTo(50, 45);
  bangs.lineTo(43, 40);
  bangs.lineTo(38, 45);
  bangs.lineTo(32, 41);
  bangs.lineTo(28, 46);
  bangs.lineTo(23, 44);
  bangs.closeSubpath();
  p.setPen(inkPen(outline));
  p.setBrush(kHair);
  p.drawPath(bangs);
  QPainterPath leftLock, rightLock;
  leftLock.moveTo(22, 44);
  leftLock.cubicTo(20, 58, 22, 70, 27, 82);
  leftLock.cubicTo(28, 70, 28, 56, 28, 46);
  leftLock.closeSubpath();
  rightLock.moveTo(78, 44);
  rightLock.cubicTo(80, 58, 78, 70, 73, 82);
  rightLock.cubicTo(72, 70, 72, 56, 72, 46);
  rightLock.closeSubpath();
  p.drawPath(leftLock);
  p.drawPath(rightLock);
  // The shine ring across the bangs.
  p.setPen(inkPen(outline * 1.1, kHairShine));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(30, 27, 40, 16), 30 * 16, 120 * 16);

  // Bonnet: a black band with a lace frill along its front edge.
  QPainterPath band;
  band.moveTo(16, 36);
  band.cubicTo(18, 12, 82, 12, 84, 36);
  band.cubicTo(80, 24, 20, 24, 16, 36);
  band.closeSubpath();
  p.setPen(inkPen(outline));
  p.setBrush(kNight);
  p.drawPath(band);
  const QPointF frill[] = {{17, 34}, {24, 25}, {36, 20}, {50, 18.5}, {64, 20}, {76, 25}, {83, 34}};
  for (int i = 0; i + 1 < 7; ++i) laceEdge(p, frill[i], frill[i + 1], 2.6, kLace, kInk, outline * 0.55);
  // Magenta bow on the right of the bonnet.
  p.setPen(inkPen(outline));
  p.setBrush(kHotPink);
  QPainterPath loops;
  loops.moveTo(72, 20);
  loops.cubicTo(66, 8, 58, 14, 62, 22);
  loops.closeSubpath();
  loops.moveTo(72, 20);
  loops.cubicTo(82, 6, 92, 16, 82, 24);
  loops.closeSubpath();
  p.drawPath(loops);
  QPainterPath tails;
  tails.moveTo(71, 22);
  tails.lineTo(68, 34);
  tails.lineTo(72, 31);
  tails.lineTo(74, 22);
  tails.moveTo(74, 22);
  tails.lineTo(82, 32);
  tails.lineTo(83, 28);
  tails.lineTo(76, 21);
  p.drawPath(tails);
  p.setBrush(kMagenta);
  p.drawEllipse(QPointF(73, 21), 3, 3);
}

namespace {

void eyeWhite(QPainter& p, QPointF c, double rx, double ry, double outline) {
  p.setPen(inkPen(outline * 0.6));
  p.setBrush(kWhite);
  p.drawEllipse(c, rx, ry);
}

void iris(QPainter& p, QPointF c, double rx, double ry, bool starHighlight) {
  QLinearGradient g(c.x(), c.y() - ry, c.x(), c.y() + ry);
  g.setColorAt(0, kInk);
  g.setColorAt(0.45, kMagenta);
  g.setColorAt(1, kHotPink);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(c, rx, ry);
  p.setBrush(kNight);
  p.drawEllipse(c + QPointF(0, -ry * 0.1), rx * 0.45, ry * 0.5);
  if (starHighlight) {
    p.setBrush(kGold);
    p.drawPath(starPath(c, rx * 0.95, rx * 0.42));
    p.setBrush(kWhite);
    p.drawEllipse(c + QPointF(-rx * 0.45, -ry * 0.55), rx * 0.25, rx * 0.25);
  } else {
    p.setBrush(kWhite);
    p.drawEllipse(c + QPointF(-rx * 0.35, -ry * 0.45), rx * 0.38, rx * 0.38);
    p.drawEllipse(c + QPointF(rx * 0.35, ry * 0.45), rx * 0.18, rx * 0.18);
  }
}

// The thick upper lash line with a flick at the outer corner; side is -1 (left eye) or 1.
void lashes(QPainter& p, QPointF c, double rx, double ry, double lidDrop, int side, double outline) {
  p.setPen(inkPen(outline * 1.5));
  p.setBrush(Qt::NoBrush);
  QPainterPath lid;
  lid.moveTo(c.x() - rx * side * 1.05, c.y() - ry * 0.15 + lidDrop * 0.5);
  lid.quadTo(c.x(), c.y() - ry * 1.25 + lidDrop * 2, c.x() + rx * side * 1.1, c.y() - ry * 0.35 + lidDrop * 0.5);
  lid.lineTo(c.x() + rx * side * 1.55, c.y() - ry * 0.75 + lidDrop * 0.5);
  p.drawPath(lid);
}

}  // namespace

void FortuneTeller::drawEyes(QPainter& p, Expression e, double outline) {
  const double rx = 6.2, ry = 8.0;
  for (int side : {-1, 1}) {
    const QPointF c(50 + side * 11.5, 55);
    switch (e) {
      case Expression::Startled: {
        eyeWhite(p, c, rx * 1.05, ry * 1.1, outline);
        p.setPen(Qt::NoPen);
        p.setBrush(kMagenta);
        p.drawEllipse(c, 1.8, 2.2);
        p.setPen(inkPen(outline * 1.2));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - rx * 1.1, c.y() - ry * 1.2, rx * 2.2, ry * 2.4), 20 * 16, 140 * 16);
        break;
      }
      case Expression::Smug: {
        eyeWhite(p, c, rx, ry, outline);
        iris(p, c + QPointF(side * -0.5, 1.2), rx * 0.85, ry * 0.8, false);
        // Heavy lid covering the upper half.
        p.setPen(Qt::NoPen);
        p.setBrush(kSkin);
        p.drawRect(QRectF(c.x() - rx - 1, c.y() - ry - 2, rx * 2 + 2, ry + 1.5));
        p.setPen(inkPen(outline * 1.5));
        p.drawLine(QPointF(c.x() - rx * 1.1, c.y() - 0.5), QPointF(c.x() + rx * 1.1, c.y() - 0.5));
        p.drawLine(QPointF(c.x() + side * rx * 1.1, c.y() - 0.5), QPointF(c.x() + side * rx * 1.5, c.y() - 2.5));
        break;
      }
      case Expression::Annoyed: {
        eyeWhite(p, c, rx, ry * 0.8, outline);
        iris(p, c + QPointF(0, 1), rx * 0.8, ry * 0.7, false);
        // Lids slanted down towards the nose.
        p.setPen(Qt::NoPen);
        p.setBrush(kSkin);
        QPolygonF lid;
        lid << QPointF(c.x() - rx - 2, c.y() - ry - 2) << QPointF(c.x() + rx + 2, c.y() - ry - 2);
        if (side < 0) lid << QPointF(c.x() + rx + 2, c.y() - 0.5) << QPointF(c.x() - rx - 2, c.y() - 5.5);
        else lid << QPointF(c.x() + rx + 2, c.y() - 5.5) << QPointF(c.x() - rx - 2, c.y() - 0.5);
        p.drawPolygon(lid);
        p.setPen(inkPen(outline * 1.5));
        if (side < 0) p.drawLine(QPointF(c.x() - rx * 1.3, c.y() - 6), QPointF(c.x() + rx * 1.1, c.y() - 0.5));
        else p.drawLine(QPointF(c.x() - rx * 1.1, c.y() - 0.5), QPointF(c.x() + rx * 1.3, c.y() - 6));
        break;
      }
      case Expression::Questioning:
        eyeWhite(p, c, rx, ry, outline);
        iris(p, c + QPointF(2.0, -0.5), rx * 0.78, ry * 0.82, false);
        lashes(p, c, rx, ry, 0, side, outline);
        break;
      case Expression::Excited:
        eyeWhite(p, c, rx * 1.05, ry * 1.05, outline);
        iris(p, c, rx * 0.95, ry * 0.95, true);
        lashes(p, c, rx * 1.05, ry * 1.05, 0, side, outline);
        break;
      case Expression::Neutral:
        eyeWhite(p, c, rx, ry, outline);
        iris(p, c + QPointF(0, 0.5), rx * 0.85, ry * 0.85, false);
        lashes(p, c, rx, ry, 0, side, outline);
        break;
    }
  }
}

void FortuneTeller::drawBrows(QPainter& p, Expression e, double outline) {
  p.setPen(inkPen(outline * 1.0));
  p.setBrush(Qt::NoBrush);
  switch (e) {
    case Expression::Annoyed:
      p.setPen(inkPen(outline * 1.5));
      p.drawLine(QPointF(31, 40), QPointF(45, 45));
      p.drawLine(QPointF(69, 40), QPointF(55, 45));
      break;
    case Expression::Questioning:
      p.drawLine(QPointF(32, 42), QPointF(44, 42));
      p.drawArc(QRectF(55, 34, 14, 8), 20 * 16, 140 * 16);  // one brow raised high
      break;
    case Expression::Startled:
      p.drawArc(QRectF(30, 33, 14, 8), 20 * 16, 140 * 16);
      p.drawArc(QRectF(56, 33, 14, 8), 20 * 16, 140 * 16);
      break;
    case Expression::Smug:
      p.drawLine(QPointF(32, 43), QPointF(44, 41));
      p.drawLine(QPointF(56, 41), QPointF(68, 43));
      break;
    default:  // calm brows stay hidden under the bangs
      break;
  }
}

void FortuneTeller::drawMouth(QPainter& p, Expression e, double outline) {
  p.setPen(inkPen(outline * 0.9));
  switch (e) {
    case Expression::Neutral: {  // small cat smile
      p.setBrush(Qt::NoBrush);
      QPainterPath m;
      m.moveTo(45, 68);
      m.quadTo(47.5, 71.5, 50, 68.5);
      m.quadTo(52.5, 71.5, 55, 68);
      p.drawPath(m);
      break;
    }
    case Expression::Questioning:
      p.setBrush(kCheek);
      p.drawEllipse(QPointF(52, 70), 2.2, 2.0);
      break;
    case Expression::Smug: {
      p.setBrush(Qt::NoBrush);
      QPainterPath m;
      m.moveTo(44, 69);
      m.quadTo(52, 73, 57, 66);
      p.drawPath(m);
      p.drawLine(QPointF(57, 66), QPointF(58.5, 65));
      break;
    }
    case Expression::Annoyed: {
      p.setBrush(Qt::NoBrush);
      QPainterPath m;  // wobbly pout
      m.moveTo(43, 71);
      m.quadTo(45.5, 67.5, 48, 70);
      m.quadTo(50.5, 72.5, 53, 70);
      m.quadTo(55.5, 67.5, 57, 71);
      p.drawPath(m);
      break;
    }
    case Expression::Excited: {
      QPainterPath m;
      m.moveTo(42, 66);
      m.quadTo(50, 67.5, 58, 66);
      m.quadTo(57, 76, 50, 76.5);
      m.quadTo(43, 76, 42, 66);
      m.closeSubpath();
      p.setBrush(kMagenta);
      p.drawPath(m);
      p.setPen(Qt::NoPen);
      p.setBrush(kCheek);
      p.drawEllipse(QPointF(50, 73.5), 4.5, 2.3);
      break;
    }
    case Expression::Startled:
      p.setBrush(kMagenta);
      p.drawEllipse(QPointF(50, 71), 3.2, 4.2);
      break;
  }
}

void FortuneTeller::drawMarks(QPainter& p, Expression e, double outline) {
  switch (e) {
    case Expression::Questioning:
      outlinedText(p, QRectF(74, 34, 18, 22), QStringLiteral("?"), gothicFont(22), kGold, kInk, 1.2);
      break;
    case Expression::Annoyed: {
      // A cross-shaped anger mark beside the bonnet.
      p.setPen(inkPen(outline * 1.6, kHotPink));
      p.setBrush(Qt::NoBrush);
      const QPointF c(86, 42);
      for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(c);
        p.rotate(90 * i);
        p.drawArc(QRectF(1.5, 1.5, 6, 6), 90 * 16, 90 * 16);
        p.restore();
      }
      break;
    }
    case Expression::Smug:
      sparkle(p, QPointF(86, 46), 10, kGold);
      break;
    case Expression::Excited:
      sparkle(p, QPointF(12, 30), 12, kGold);
      sparkle(p, QPointF(88, 44), 10, kWhite);
      p.setPen(inkPen(outline * 0.6));
      p.setBrush(kHotPink);
      p.drawPath(heartPath(QPointF(12, 52), 9));
      break;
    case Expression::Startled: {
      // Gloom lines over the forehead and a sweat drop.
      p.setPen(inkPen(outline * 0.7, kGloom));
      for (int i = 0; i < 5; ++i) p.drawLine(QPointF(36 + i * 6, 44), QPointF(36 + i * 6, 50));
      QPainterPath drop;
      drop.moveTo(82, 46);
      drop.cubicTo(76, 56, 80, 60, 83, 60);
      drop.cubicTo(86, 60, 89, 56, 82, 46);
      p.setPen(inkPen(outline * 0.7));
      p.setBrush(kSky);
      p.drawPath(drop);
      p.setPen(inkPen(outline * 1.1, kWhite));
      p.drawLine(QPointF(6, 30), QPointF(14, 36));
      p.drawLine(QPointF(4, 44), QPointF(13, 45));
      p.drawLine(QPointF(94, 30), QPointF(86, 36));
      break;
    }
    case Expression::Neutral:
      break;
  }
}

}  // namespace art
