// The four small input panels: name tiles (P4), yes/no (P5), sex (P6), birthday (P7).
// Every mark is drawn inside the rectangle where the game's hotspot for it lies.
#include "assets/PictureWords.h"
#include "assets/art/Drawings.h"
#include "assets/art/NameTiles.h"
#include "assets/art/Style.h"

#include <QString>
#include <cstring>

namespace art {
using namespace colour;
namespace words = assets::words;

namespace {

void dottedBackground(QPainter& p, const QColor& base, const QColor& dots) {
  p.fillRect(QRect(0, 0, 297, 137), base);
  p.setPen(Qt::NoPen);
  p.setBrush(dots);
  for (int y = 6; y < 137; y += 12)
    for (int x = (y / 12) % 2 ? 6 : 12; x < 297; x += 12) p.drawEllipse(QPointF(x, y), 1.3, 1.3);
}

// A raised rounded tile: a dark lip under a light face with an ink outline.
void tile(QPainter& p, const QRectF& r, const QColor& face, double radius = 6) {
  p.setPen(Qt::NoPen);
  p.setBrush(kWine);
  p.drawRoundedRect(r.adjusted(0, 2, 0, 0), radius, radius);
  p.setPen(inkPen(1.5));
  p.setBrush(face);
  p.drawRoundedRect(r.adjusted(0, 0, 0, -2), radius, radius);
}

void drawEraseMark(QPainter& p, const QRectF& r) {
  // A backspace key: a left-pointing tag with a cross in it.
  const QRectF face = r.adjusted(0, 0, 0, -2);
  QPainterPath tag;
  tag.moveTo(face.left() + 3, face.center().y());
  tag.lineTo(face.left() + 11, face.top() + 6);
  tag.lineTo(face.right() - 4, face.top() + 6);
  tag.lineTo(face.right() - 4, face.bottom() - 6);
  tag.lineTo(face.left() + 11, face.bottom() - 6);
  tag.closeSubpath();
  p.setPen(inkPen(1.2, kWhite));
  p.setBrush(kHotPink);
  p.drawPath(tag);
  const QPointF c(face.center().x() + 3, face.center().y());
  p.setPen(inkPen(2, kWhite));
  p.drawLine(c + QPointF(-3.5, -3.5), c + QPointF(3.5, 3.5));
  p.drawLine(c + QPointF(-3.5, 3.5), c + QPointF(3.5, -3.5));
}

}  // namespace

void drawNamePanel(QPainter& p) {
  dottedBackground(p, kRose, kWine);
  const QColor faces[] = {kBlush, kLace, kPink};
  int n = 0;
  for (const NameTile& t : kNameTiles) {
    QRectF r = QRectF(t.rect).adjusted(1.5, 1.5, -1.5, -1.5);
    if (std::strcmp(t.label, "U") == 0) r.setBottom(109.5);  // keeps clear of the name field
    if (std::strcmp(t.label, "erase") == 0) {
      tile(p, r, kInk);
      drawEraseMark(p, r);
    } else if (std::strcmp(t.label, "OK") == 0) {
      tile(p, r, kGold, 10);
      outlinedText(p, r.adjusted(0, 0, 0, -2), QStringLiteral("OK!"), gothicFont(19), kMagenta, kWhite, 1.5);
    } else {
      tile(p, r, faces[n++ % 3]);
      // Full-width letters, as they appear in the name.
      const QString letter = QString(QChar(0xFF21 + (t.label[0] - 'A')));
      outlinedText(p, r.adjusted(0, 0, 0, -2), letter, gothicFont(18), kMagenta, kWhite, 0.8);
    }
  }
  // The bar behind the name field, with a little label and a heart beside it.
  p.setPen(inkPen(2, kPink));
  p.setBrush(kWine);
  p.drawRoundedRect(QRectF(kNameField).adjusted(-4, -2, 4, 4), 4, 4);
  p.setPen(Qt::NoPen);
  p.setBrush(kWine);
  p.drawRect(QRectF(kNameField));
  p.setPen(inkPen(1.2));
  p.setBrush(kHotPink);
  p.drawPath(heartPath(QPointF(172, 122), 14));
  outlinedText(p, QRectF(176, 78, 120, 24), words::namePrompt(), gothicFont(12), kWhite, kInk, 1.2);
  sparkle(p, QPointF(196, 108), 12, kGold);
}

void drawYesNoPanel(QPainter& p) {
  dottedBackground(p, kPink, kBlush);
  struct Answer { QRectF rect; QString text; };
  const Answer answers[] = {{QRectF(56, 16, 165, 45), QStringLiteral("あいっ！")},
                            {QRectF(56, 76, 165, 45), QStringLiteral("ちがうよ")}};
  for (const Answer& a : answers) {
    const QRectF r = a.rect.adjusted(2, 2, -2, -2);
    p.setPen(Qt::NoPen);
    p.setBrush(kMagenta);
    p.drawEllipse(r.translated(0, 2));
    p.setPen(inkPen(2.5));
    p.setBrush(kWhite);
    p.drawEllipse(r);
    p.setPen(QPen(kBlush, 1.5, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r.adjusted(5, 4, -5, -4));
    outlinedText(p, r, a.text, gothicFont(22), kHotPink, kInk, 1.0);
  }
  // A circle mark beside yes, a cross beside no, and a big question mark on the right.
  p.setPen(inkPen(5, kWhite));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(30, 38), 12, 12);
  p.setPen(inkPen(2));
  p.drawEllipse(QPointF(30, 38), 15, 15);
  p.setPen(inkPen(6, kInk));
  p.drawLine(QPointF(19, 87), QPointF(41, 109));
  p.drawLine(QPointF(19, 109), QPointF(41, 87));
  p.setPen(inkPen(3.5, kWhite));
  p.drawLine(QPointF(19, 87), QPointF(41, 109));
  p.drawLine(QPointF(19, 109), QPointF(41, 87));
  outlinedText(p, QRectF(226, 22, 66, 80), QStringLiteral("？"), gothicFont(64), kWhite, kInk, 2.0);
  sparkle(p, QPointF(280, 108), 16, kGold);
  sparkle(p, QPointF(236, 116), 10, kWhite);
}

void drawSexPanel(QPainter& p) {
  p.fillRect(QRect(0, 0, 297, 137), kRose);
  // Cards over the two hotspots, each with its symbol: a white stroke over a thick ink one.
  auto card = [&](const QRectF& r, const QColor& face) {
    p.setPen(inkPen(2.5));
    p.setBrush(face);
    p.drawRoundedRect(r, 12, 12);
  };
  auto symbolStroke = [&](const QPainterPath& path) {
    p.setBrush(Qt::NoBrush);
    p.setPen(inkPen(12));
    p.drawPath(path);
    p.setPen(inkPen(6, kWhite));
    p.drawPath(path);
  };
  card(QRectF(35, 15, 79, 103), kSky);
  QPainterPath male;
  male.addEllipse(QPointF(66, 78), 19, 19);
  male.moveTo(80, 64);
  male.lineTo(99, 35);
  male.moveTo(84, 35);
  male.lineTo(99, 35);
  male.lineTo(99, 51);
  symbolStroke(male);

  card(QRectF(159, 11, 99, 103), kBlush);
  QPainterPath female;
  female.addEllipse(QPointF(208, 48), 22, 22);
  female.moveTo(208, 70);
  female.lineTo(208, 104);
  female.moveTo(192, 88);
  female.lineTo(224, 88);
  symbolStroke(female);
}

void drawBirthdayPanel(QPainter& p) {
  p.fillRect(QRect(0, 0, 297, 137), kRose);
  outlinedText(p, QRectF(10, 6, 200, 30), words::birthdayPrompt(), gothicFont(22), kWhite, kInk, 1.5);
  // Dark boxes behind the month and day fields.
  for (const QRectF field : {QRectF(24, 48, 45, 30), QRectF(116, 48, 45, 30)}) {
    p.setPen(inkPen(2.5, kPink));
    p.setBrush(kNight);
    p.drawRoundedRect(field.adjusted(-5, -5, 5, 5), 6, 6);
  }
  // 月 and 日 where the layout's own labels sit (the picture covers them).
  const QFont glyph = gothicFont(22);
  outlinedText(p, QRectF(86, 42, 31, 30), QStringLiteral("月"), glyph, kFuchsia, kWhite, 1.5);
  outlinedText(p, QRectF(190, 42, 31, 30), QStringLiteral("日"), glyph, kFuchsia, kWhite, 1.5);
  // A cake in the corner.
  p.setPen(inkPen(1.5));
  p.setBrush(kBlush);
  p.drawRoundedRect(QRectF(18, 104, 46, 24), 4, 4);
  p.setBrush(kWhite);
  QPainterPath icing;
  icing.moveTo(18, 110);
  for (int i = 0; i < 6; ++i) icing.quadTo(21.8 + i * 7.6, 118, 25.6 + i * 7.6, 110);
  icing.lineTo(64, 104);
  icing.lineTo(18, 104);
  icing.closeSubpath();
  p.drawPath(icing);
  p.setBrush(kPink);
  p.drawRect(QRectF(39, 92, 4, 12));
  p.setPen(Qt::NoPen);
  p.setBrush(kGold);
  p.drawEllipse(QPointF(41, 88), 2.5, 4);
  p.setBrush(kMagenta);
  p.drawEllipse(QPointF(27, 121), 2.5, 2.5);
  p.drawEllipse(QPointF(41, 121), 2.5, 2.5);
  p.drawEllipse(QPointF(55, 121), 2.5, 2.5);
  // The OK badge, inside the part of the OK hotspot that lies on the panel.
  p.setPen(Qt::NoPen);
  p.setBrush(kWine);
  p.drawEllipse(QPointF(254, 113), 38, 21);
  p.setPen(inkPen(2.5));
  p.setBrush(kGold);
  p.drawEllipse(QPointF(254, 110), 38, 21);
  outlinedText(p, QRectF(216, 89, 76, 42), QStringLiteral("OK!"), gothicFont(26), kMagenta, kWhite, 1.5);
  sparkle(p, QPointF(222, 90), 12, kWhite);
}

}  // namespace art
