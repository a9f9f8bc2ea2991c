#pragma once
// The shared look of every picture: one palette of pinks, magentas and near-blacks, thick
// plum outlines, rounded shapes, and the two Japanese fonts installed with the game.
#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QString>

namespace art {

namespace colour {
inline const QColor kFuchsia{0xFF, 0x00, 0xFF};    // the window colour; transparent in the decoration
inline const QColor kInk{0x2B, 0x0A, 0x1E};        // outlines and gothic black
inline const QColor kNight{0x1A, 0x06, 0x16};      // darkest backgrounds
inline const QColor kPlum{0x4A, 0x12, 0x3C};       // dark panels
inline const QColor kWine{0x99, 0x00, 0x4D};       // the name field colour
inline const QColor kRose{0xAE, 0x00, 0x3D};       // panel colour
inline const QColor kMagenta{0xC4, 0x00, 0x62};    // result text colour, irises
inline const QColor kHotPink{0xFF, 0x00, 0x80};
inline const QColor kPink{0xFF, 0x80, 0xC0};       // yes/no panel colour
inline const QColor kOrchid{0xFF, 0x80, 0xFF};     // result panel colour
inline const QColor kBlush{0xFF, 0xB5, 0xFF};      // choice label colour
inline const QColor kLace{0xFF, 0xF4, 0xFA};       // off-white lace
inline const QColor kWhite{0xFF, 0xFF, 0xFF};
inline const QColor kSkin{0xFF, 0xE8, 0xDE};
inline const QColor kCheek{0xFF, 0x9C, 0xB8};
inline const QColor kHair{0x33, 0x14, 0x36};
inline const QColor kHairShine{0x6A, 0x34, 0x70};
inline const QColor kGold{0xFF, 0xD8, 0x4A};
inline const QColor kSky{0x8F, 0xD0, 0xFF};
inline const QColor kGloom{0x3A, 0x3F, 0x8A};
}  // namespace colour

// Fonts by pixel size: the proportional and the fixed-pitch Gothic faces.
QFont gothicFont(int pixelSize, bool bold = true);
QFont gothicMonoFont(int pixelSize, bool bold = true);

// A pen for outlines: round joins and caps.
QPen inkPen(double width, const QColor& colour = colour::kInk);

// Text centred in box, with an outline of outlineWidth pixels drawn around each glyph.
void outlinedText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                  const QColor& fill, const QColor& outline, double outlineWidth);

// Shapes in the house style, centred at c.
QPainterPath starPath(QPointF c, double outerRadius, double innerRadius, int points = 5, double rotationDeg = -90);
QPainterPath heartPath(QPointF c, double size);  // size: full width
void sparkle(QPainter& p, QPointF c, double size, const QColor& colour);  // four-pointed twinkle
// A scalloped lace edge along the line from a to b, bumps on the left side of the direction.
void laceEdge(QPainter& p, QPointF a, QPointF b, double bump, const QColor& fill, const QColor& outline, double outlineWidth);

}  // namespace art
