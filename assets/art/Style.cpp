#include "assets/art/Style.h"

#include <QtMath>
#include <cmath>

namespace art {

QFont gothicFont(int pixelSize, bool bold) {
  QFont f(QStringLiteral("IPAPGothic"));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

QFont gothicMonoFont(int pixelSize, bool bold) {
  QFont f(QStringLiteral("IPAGothic"));
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setHintingPreference(QFont::PreferFullHinting);
  return f;
}

QPen inkPen(double width, const QColor& colour) {
  QPen pen(colour, width);
  pen.setJoinStyle(Qt::RoundJoin);
  pen.setCapStyle(Qt::RoundCap);
  return pen;
}

void outlinedText(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                  const QColor& fill, const QColor& outline, double outlineWidth) {
  QPainterPath path;
  const QFontMetricsF metrics(font);
  const double width = metrics.horizontalAdvance(text);
  const QPointF origin(box.center().x() - width / 2,
                       box.center().y() + (metrics.ascent() - metrics.descent()) / 2);
  path.addText(origin, font, text);
  p.save();
  if (outlineWidth > 0) {
    p.setPen(inkPen(outlineWidth * 2, outline));
    p.setBrush(outline);
    p.drawPath(path);
  }
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPath(path);
  p.restore();
}

QPainterPath starPath(QPointF c, double outerRadius, double innerRadius, int points, double rotationDeg) {
  QPainterPath path;
  for (int i = 0; i < points * 2; ++i) {
    const double r = (i % 2 == 0) ? outerRadius : innerRadius;
    const double a = qDegreesToRadians(rotationDeg + i * 180.0 / points);
    const QPointF pt(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
    if (i == 0) path.moveTo(pt);
    else path.lineTo(pt);
  }
  path.closeSubpath();
  return path;
}

QPainterPath heartPath(QPointF c, double size) {
  const double s = size / 2;
  QPainterPath path;
  path.moveTo(c.x(), c.y() + s * 0.95);
  path.cubicTo(c.x() - s * 1.25, c.y() + s * 0.05, c.x() - s * 0.95, c.y() - s * 1.05, c.x(), c.y() - s * 0.45);
  path.cubicTo(c.x() + s * 0.95, c.y() - s * 1.05, c.x() + s * 1.25, c.y() + s * 0.05, c.x(), c.y() + s * 0.95);
  path.closeSubpath();
  return path;
}

void sparkle(QPainter& p, QPointF c, double size, const QColor& colour) {
  const double s = size / 2, w = size / 7;
  QPainterPath path;
  path.moveTo(c.x(), c.y() - s);
  path.quadTo(c.x() + w, c.y() - w, c.x() + s, c.y());
  path.quadTo(c.x() + w, c.y() + w, c.x(), c.y() + s);
  path.quadTo(c.x() - w, c.y() + w, c.x() - s, c.y());
  path.quadTo(c.x() - w, c.y() - w, c.x(), c.y() - s);
  p.save();
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPath(path);
  p.restore();
}

void laceEdge(QPainter& p, QPointF a, QPointF b, double bump, const QColor& fill, const QColor& outline,
              double outlineWidth) {
  const QPointF d = b - a;
  const double length = std::hypot(d.x(), d.y());
  if (length <= 0) return;
  const int count = std::max(1, static_cast<int>(std::lround(length / (bump * 2))));
  const QPointF unit = d / length;
  const QPointF normal(unit.y(), -unit.x());
  p.save();
  p.setPen(outlineWidth > 0 ? inkPen(outlineWidth, outline) : QPen(Qt::NoPen));
  p.setBrush(fill);
  for (int i = 0; i < count; ++i) {
    const QPointF centre = a + unit * ((i + 0.5) * length / count);
    const double r = length / count / 2;
    QPainterPath scallop;
    scallop.moveTo(centre - unit * r);
    scallop.cubicTo(centre - unit * r + normal * r * 1.3, centre + unit * r + normal * r * 1.3, centre + unit * r);
    scallop.closeSubpath();
    p.drawPath(scallop);
    p.setBrush(outline);
    p.setPen(Qt::NoPen);
    p.drawEllipse(centre + normal * r * 0.45, r * 0.18, r * 0.18);
    p.setPen(outlineWidth > 0 ? inkPen(outlineWidth, outline) : QPen(Qt::NoPen));
    p.setBrush(fill);
  }
  p.restore();
}

}  // namespace art
