#include "lcd_marks.h"

#include <QFont>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

#include "lcd_ink.h"

namespace artgen {

namespace {

// Every mark is antialiased, lit and without an outline pen unless it asks.
struct Ink {
  explicit Ink(QPainter& p) : p_(p) {
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing);
    p_.setPen(Qt::NoPen);
    p_.setBrush(kLitColour);
  }
  ~Ink() { p_.restore(); }
  QPainter& p_;
};

QPen LitPen(double width) {
  QPen pen(kLitColour, width);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

}  // namespace

void DrawFittedText(QPainter& p, const QRectF& box, const QString& text, bool bold) {
  QFont font(QStringLiteral("DejaVu Sans Condensed"));
  font.setPixelSize(40);
  font.setBold(bold);
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF shape = path.boundingRect();
  if (shape.isEmpty() || box.isEmpty()) return;
  // Scale evenly to fit, then let either axis stretch a little further so
  // that small words still fill their frame.
  const double fx = box.width() / shape.width(), fy = box.height() / shape.height();
  const double even = std::min(fx, fy);
  const double sx = std::min(fx, even * 1.3), sy = std::min(fy, even * 1.6);
  QTransform t;
  t.translate(box.center().x(), box.center().y());
  t.scale(sx, sy);
  t.translate(-shape.center().x(), -shape.center().y());
  Ink ink(p);
  p.drawPath(t.map(path));
}

void DrawBoxedLabel(QPainter& p, const QRectF& box, const QString& text) {
  {
    Ink ink(p);
    p.setBrush(Qt::NoBrush);
    p.setPen(LitPen(1.0));
    p.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
  }
  DrawFittedText(p, box.adjusted(2.5, 2.5, -2.5, -2.5), text);
}

void DrawBlock(QPainter& p, const QRectF& box) {
  Ink ink(p);
  p.drawRect(box);
}

void DrawPoint(QPainter& p, const QRectF& box) {
  Ink ink(p);
  if (box.width() <= 3 || box.height() <= 3) {
    p.drawRect(box);
    return;
  }
  const double r = std::min(box.width(), box.height()) * 0.22;
  p.drawRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), r, r);
}

void DrawPlus(QPainter& p, const QRectF& box) {
  Ink ink(p);
  const double t = std::max(1.5, std::min(box.width(), box.height()) * 0.28);
  const QPointF c = box.center();
  p.drawRect(QRectF(box.left(), c.y() - t / 2, box.width(), t));
  p.drawRect(QRectF(c.x() - t / 2, box.top(), t, box.height()));
}

void DrawBatteryOutline(QPainter& p, const QRectF& box) {
  Ink ink(p);
  p.setBrush(Qt::NoBrush);
  p.setPen(LitPen(1.0));
  const bool wide = box.width() >= box.height();
  QRectF body = box.adjusted(0.5, 0.5, -0.5, -0.5);
  QRectF cap;
  if (wide) {
    body.setRight(body.right() - 2);
    cap = QRectF(body.right(), box.center().y() - box.height() * 0.2, 2, box.height() * 0.4);
  } else {
    body.setTop(body.top() + 2);
    cap = QRectF(box.center().x() - box.width() * 0.2, box.top(), box.width() * 0.4, 2);
  }
  p.drawRect(body);
  p.setPen(Qt::NoPen);
  p.setBrush(kLitColour);
  p.drawRect(cap);
}

void DrawBarGraph(QPainter& p, const QRectF& box) {
  Ink ink(p);
  // Blocks of four pixels and a one-pixel gap, as a graph of many segments.
  for (double x = box.left(); x < box.right(); x += 5)
    p.drawRect(QRectF(x, box.top() + 1, std::min(4.0, box.right() - x), box.height() - 2));
}

void DrawRightArrow(QPainter& p, const QRectF& box) {
  Ink ink(p);
  p.drawPolygon(QPolygonF({box.topLeft(), QPointF(box.right(), box.center().y()), box.bottomLeft()}));
}

void DrawDiode(QPainter& p, const QRectF& box) {
  Ink ink(p);
  const double y = box.center().y();
  const double barX = box.left() + box.width() * 0.68;
  // Leads on both sides, the triangle, the bar.
  p.drawRect(QRectF(box.left(), y - 0.6, box.width(), 1.2));
  p.drawPolygon(QPolygonF({QPointF(box.left() + box.width() * 0.22, box.top()),
                           QPointF(barX, y),
                           QPointF(box.left() + box.width() * 0.22, box.bottom())}));
  p.drawRect(QRectF(barX, box.top(), 1.6, box.height()));
}

void DrawContinuity(QPainter& p, const QRectF& box) {
  Ink ink(p);
  const double w = box.width(), h = box.height();
  const double y = box.center().y();
  // The speaker: a small box and its cone.
  p.drawRect(QRectF(box.left(), y - h * 0.18, w * 0.16, h * 0.36));
  p.drawPolygon(QPolygonF({QPointF(box.left() + w * 0.14, y - h * 0.18),
                           QPointF(box.left() + w * 0.42, box.top()),
                           QPointF(box.left() + w * 0.42, box.bottom()),
                           QPointF(box.left() + w * 0.14, y + h * 0.18)}));
  // Two waves.
  p.setBrush(Qt::NoBrush);
  p.setPen(LitPen(1.1));
  for (int i = 1; i <= 2; ++i) {
    const double r = h * (0.2 + 0.22 * i);
    const QPointF c(box.left() + w * 0.42, y);
    p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), -45 * 16, 90 * 16);
  }
}

void DrawLightning(QPainter& p, const QRectF& box) {
  Ink ink(p);
  const double l = box.left(), t = box.top(), w = box.width(), h = box.height();
  p.drawPolygon(QPolygonF({QPointF(l + w * 0.55, t), QPointF(l + w * 0.05, t + h * 0.58),
                           QPointF(l + w * 0.45, t + h * 0.55), QPointF(l + w * 0.25, t + h),
                           QPointF(l + w * 0.95, t + h * 0.4), QPointF(l + w * 0.55, t + h * 0.43),
                           QPointF(l + w * 0.85, t)}));
}

void DrawCircularArrow(QPainter& p, const QRectF& box) {
  Ink ink(p);
  const double s = std::min(box.width(), box.height());
  const QPointF c = box.center();
  const double r = s / 2 - 2.2;
  p.setBrush(Qt::NoBrush);
  p.setPen(LitPen(1.6));
  // Most of a circle, open at the top right, and a head at its end.
  p.drawArc(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 70 * 16, 290 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(kLitColour);
  const double a = 70 * 3.14159265358979 / 180;
  const QPointF end(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
  p.drawPolygon(QPolygonF({QPointF(end.x() - 0.5, end.y() - 2.6), QPointF(end.x() + 3.2, end.y()),
                           QPointF(end.x() - 0.5, end.y() + 2.6)}));
}

}  // namespace artgen
