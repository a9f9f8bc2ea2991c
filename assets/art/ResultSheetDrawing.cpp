// The result sheet (P8): a lace-edged card with three bands (the rated areas, the score,
// the advice), a frame for the mood picture and the OK mark.
#include "assets/PictureWords.h"
#include "assets/art/Drawings.h"
#include "assets/art/Style.h"

#include <QLinearGradient>

namespace art {
using namespace colour;
namespace words = assets::words;

void drawResultSheet(QPainter& p) {
  // Drawn in the 485 × 357 shape it is shown at; only 481 × 349 of it is ever on screen.
  p.fillRect(QRect(0, 0, 477, 355), kOrchid);
  p.scale(477.0 / 485.0, 355.0 / 357.0);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlush);
  for (int y = 10; y < 357; y += 18)
    for (int x = (y / 18) % 2 ? 10 : 19; x < 485; x += 18) p.drawPath(heartPath(QPointF(x, y), 6));
  // Lace around the visible edge.
  p.setPen(inkPen(3));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(5, 5, 471, 339), 14, 14);
  p.setPen(QPen(kMagenta, 1.5, Qt::DashLine));
  p.drawRoundedRect(QRectF(10, 10, 461, 329), 10, 10);

  // Heading ribbon.
  p.setPen(inkPen(2));
  p.setBrush(kMagenta);
  QPainterPath ribbon;
  ribbon.moveTo(20, 14);
  ribbon.lineTo(250, 14);
  ribbon.lineTo(238, 30);
  ribbon.lineTo(250, 46);
  ribbon.lineTo(20, 46);
  ribbon.closeSubpath();
  p.drawPath(ribbon);
  outlinedText(p, QRectF(24, 14, 210, 32), words::resultHeading(), gothicFont(20), kWhite, kInk, 1.5);

  // Band 1: the rated areas and the lucky item (magenta text).
  p.setPen(inkPen(3, kMagenta));
  p.setBrush(kLace);
  p.drawRoundedRect(QRectF(32, 50, 437, 108), 10, 10);

  // Band 2: today's score in big yellow digits from x 268.
  QLinearGradient scoreBand(0, 160, 0, 212);
  scoreBand.setColorAt(0, kPlum);
  scoreBand.setColorAt(1, kNight);
  p.setPen(inkPen(3, kGold));
  p.setBrush(scoreBand);
  p.drawRoundedRect(QRectF(32, 160, 437, 52), 10, 10);
  outlinedText(p, QRectF(44, 166, 210, 40), words::scoreHeading(), gothicFont(20), kBlush, kInk, 0);
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  p.drawPath(starPath(QPointF(252, 186), 9, 4));
  outlinedText(p, QRectF(392, 166, 60, 40), words::scoreUnit(), gothicFont(20), kWhite, kInk, 0);

  // Band 3: the advice (light pink italic text).
  outlinedText(p, QRectF(36, 216, 150, 26), words::adviceHeading(), gothicFont(16), kWhite, kMagenta, 2);
  p.setPen(inkPen(3, kPink));
  p.setBrush(kNight);
  p.drawRoundedRect(QRectF(32, 242, 437, 64), 10, 10);

  // Frame for the mood picture (the picture itself fills 360, 12, 112 × 97).
  p.setPen(inkPen(3));
  p.setBrush(kGold);
  p.drawRoundedRect(QRectF(354, 6, 124, 109), 8, 8);
  p.setBrush(kWhite);
  p.drawRect(QRectF(360, 12, 112, 97));

  // The OK mark under the leave area (on screen down to row 349).
  p.setPen(Qt::NoPen);
  p.setBrush(kWine);
  p.drawRoundedRect(QRectF(370, 314, 100, 32), 14, 14);
  p.setPen(inkPen(2.5));
  p.setBrush(kGold);
  p.drawRoundedRect(QRectF(370, 311, 100, 32), 14, 14);
  outlinedText(p, QRectF(370, 311, 100, 32), QStringLiteral("OK ♥"), gothicFont(22), kMagenta, kWhite, 1.5);

  // Doodles along the bottom left.
  p.setPen(inkPen(1.5));
  p.setBrush(kGold);
  p.drawPath(starPath(QPointF(60, 326), 10, 4.5));
  p.setBrush(kHotPink);
  p.drawPath(heartPath(QPointF(92, 326), 16));
  sparkle(p, QPointF(122, 322), 14, kWhite);
  outlinedText(p, QRectF(140, 312, 220, 28), words::resultFootnote(), gothicFont(14), kMagenta, kWhite, 1.5);
}

}  // namespace art
