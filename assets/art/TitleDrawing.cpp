// The three frames of the title screen. They differ only in a tremble of the fortune-teller
// and in which sparkles are lit, so cycling them makes the screen shiver and twinkle.
#include "assets/PictureWords.h"
#include "assets/art/Drawings.h"
#include "assets/art/Style.h"

#include <QLinearGradient>
#include <cstdint>

namespace art {
using namespace colour;

namespace {

// Fixed star field from a small linear congruential sequence, the same in every frame.
void starField(QPainter& p) {
  std::uint32_t s = 20261207u;
  auto next = [&s](int range) {
    s = s * 1103515245u + 12345u;
    return static_cast<int>((s >> 16) % static_cast<std::uint32_t>(range));
  };
  p.setPen(Qt::NoPen);
  for (int i = 0; i < 70; ++i) {
    const QPointF c(next(481), next(357));
    const int size = next(3);
    p.setBrush(size == 2 ? kBlush : (size == 1 ? kOrchid : kWhite));
    if (size == 2) p.drawPath(starPath(c, 4, 1.6));
    else p.drawEllipse(c, 0.6 + size * 0.5, 0.6 + size * 0.5);
  }
}

void titleText(QPainter& p, QPointF shake) {
  const QRectF line1 = QRectF(150, 10, 320, 48).translated(shake);
  const QRectF line2 = QRectF(150, 52, 320, 70).translated(shake);
  // A white halo under a dark outline under the pink letters.
  for (auto [rect, size, text] : {std::tuple{line1, 34, assets::words::titleFirstLine()},
                                  std::tuple{line2, 50, assets::words::titleSecondLine()}}) {
    outlinedText(p, rect.translated(0, 3), text, gothicFont(size), kMagenta, kMagenta, 5);
    outlinedText(p, rect, text, gothicFont(size), kBlush, kWhite, 5);
    outlinedText(p, rect, text, gothicFont(size), kBlush, kInk, 2.5);
  }
}

void wand(QPainter& p, QPointF tip, double starRotation) {
  const QPointF handle(150, 282);
  p.setPen(inkPen(9));
  p.drawLine(handle, tip);
  p.setPen(inkPen(5, kBlush));
  p.drawLine(handle, tip);
  p.setPen(inkPen(5, kHotPink));
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i < 6; ++i) {
    const QPointF a = handle + (tip - handle) * (i / 6.0);
    p.drawPoint(a);
  }
  p.setPen(inkPen(3));
  p.setBrush(kGold);
  p.drawPath(starPath(tip, 40, 18, 5, -90 + starRotation));
  p.setPen(inkPen(2));
  p.setBrush(kHotPink);
  p.drawPath(heartPath(tip + QPointF(0, 2), 24));
  // A trail of glints behind the star.
  sparkle(p, tip + QPointF(-34, 40), 10, kBlush);
  sparkle(p, tip + QPointF(-52, 62), 7, kBlush);
}

void button(QPainter& p, const QRectF& r, const QString& text, const QColor& face, const QColor& textColour,
            const QColor& outline, int pixelSize) {
  p.setPen(Qt::NoPen);
  p.setBrush(kWine);
  p.drawRoundedRect(r.translated(0, 3), 11, 11);
  p.setPen(inkPen(2.5));
  p.setBrush(face);
  p.drawRoundedRect(r, 11, 11);
  p.setPen(QPen(kWhite, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 8, 8);
  outlinedText(p, r, text, gothicFont(pixelSize), textColour, outline, 1.6);
}

}  // namespace

void drawTitleFrame(QPainter& p, int frame) {
  QLinearGradient sky(0, 0, 0, 357);
  sky.setColorAt(0, kNight);
  sky.setColorAt(0.55, kPlum);
  sky.setColorAt(1, kWine);
  p.fillRect(QRect(0, 0, 481, 357), sky);
  starField(p);
  // A big moon low on the right.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xFF, 0xE9, 0xB0));
  p.drawEllipse(QPointF(420, 190), 52, 52);
  p.setBrush(QColor(0xF0, 0xD2, 0x8A));
  p.drawEllipse(QPointF(402, 176), 10, 8);
  p.drawEllipse(QPointF(436, 212), 14, 10);

  // The tremble: the character and the wand shift a little in each frame.
  const QPointF shakes[] = {{0, 0}, {2.5, -1.5}, {-2, 1.5}};
  const QPointF shake = shakes[frame % 3];

  wand(p, QPointF(300, 186) + shake * 0.6, frame * 12.0);
  p.save();
  p.translate(shake);
  p.translate(-6, 112);
  p.scale(2.35, 2.35);
  FortuneTeller::draw(p, frame == 2 ? Expression::Excited : Expression::Neutral, 1.5);
  p.restore();

  titleText(p, shake * 0.5);
  // Lace along the top edge.
  for (int x = 0; x < 481; x += 120) {
    laceEdge(p, QPointF(x + 120, 0), QPointF(x, 0), 6, kInk, kHotPink, 1.2);
  }

  // The two entries: NEW GAME over 232, 288 (121 × 33) and the compatibility reading over
  // 232, 324 (121 × 33; the screen ends at row 349).
  button(p, QRectF(235, 290, 115, 29), QStringLiteral("NEW GAME"), kHotPink, kWhite, kInk, 17);
  button(p, QRectF(235, 325, 115, 22), QStringLiteral("相性占い ♥"), kBlush, kMagenta, kWhite, 16);

  // Sparkles: a different set lit in each frame.
  const QPointF sets[3][4] = {{{268, 150}, {352, 226}, {420, 96}, {60, 120}},
                              {{330, 140}, {280, 236}, {456, 150}, {212, 160}},
                              {{300, 132}, {350, 190}, {390, 260}, {96, 40}}};
  for (int i = 0; i < 4; ++i) sparkle(p, sets[frame % 3][i], i == 0 ? 26 : 16, i % 2 ? kGold : kWhite);
}

}  // namespace art
