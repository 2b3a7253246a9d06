#include "seven_segment.h"

#include <QPolygonF>
#include <QTransform>
#include <algorithm>

#include "lcd_ink.h"
#include "lcd/panel_geometry.h"

namespace artgen {

unsigned GlyphSegments(char c) {
  switch (c) {
    case '0': return kSegA | kSegB | kSegC | kSegD | kSegE | kSegF;
    case '1': return kSegB | kSegC;
    case '2': return kSegA | kSegB | kSegD | kSegE | kSegG;
    case '3': return kSegA | kSegB | kSegC | kSegD | kSegG;
    case '4': return kSegB | kSegC | kSegF | kSegG;
    case '5': return kSegA | kSegC | kSegD | kSegF | kSegG;
    case '6': return kSegA | kSegC | kSegD | kSegE | kSegF | kSegG;
    case '7': return kSegA | kSegB | kSegC;
    case '8': return 0x7f;
    case '9': return kSegA | kSegB | kSegC | kSegD | kSegF | kSegG;
    case 'L': return kSegD | kSegE | kSegF;
    case 'U': return kSegB | kSegC | kSegD | kSegE | kSegF;
    case 'A': return kSegA | kSegB | kSegC | kSegE | kSegF | kSegG;
    case 'E': return kSegA | kSegD | kSegE | kSegF | kSegG;
    case 'C': return kSegA | kSegD | kSegE | kSegF;
    case 'd': return kSegB | kSegC | kSegD | kSegE | kSegG;
    case 'H': return kSegB | kSegC | kSegE | kSegF | kSegG;
    case '-': return kSegG;
    case 'P': return kSegA | kSegB | kSegE | kSegF | kSegG;
    case 'I': return kSegE | kSegF;
    case 'F': return kSegA | kSegE | kSegF | kSegG;
    case 'N': return kSegA | kSegB | kSegC | kSegE | kSegF;
    case 'n': return kSegC | kSegE | kSegG;
    case 'r': return kSegE | kSegG;
    case 't': return kSegD | kSegE | kSegF | kSegG;
    default: return 0;
  }
}

DigitStyle StyleForCell(QSize cell) {
  DigitStyle s{};
  s.marginX = 1;
  s.marginY = 1;
  s.slant = 0.085 * cell.height();
  const double width = cell.width() - 2 * s.marginX - s.slant;
  s.thickness = std::max(2.6, 0.23 * width);
  s.gap = std::max(0.45, 0.13 * s.thickness);
  return s;
}

namespace {

// A bar with pointed ends, lying along x from `from` to `to` at height `at`.
QPolygonF Bar(double from, double to, double at, double t, double g, bool horizontal) {
  const double h = t / 2;
  const double a = from + g, b = to - g;
  QPolygonF poly;
  const QPointF pts[6] = {{a, at}, {a + h, at - h}, {b - h, at - h}, {b, at}, {b - h, at + h}, {a + h, at + h}};
  for (const QPointF& q : pts) poly << (horizontal ? q : QPointF(q.y(), q.x()));
  return poly;
}

}  // namespace

void DrawDigit(QPainter& p, const QRectF& cell, unsigned bits, const DigitStyle& s) {
  const double t = s.thickness, g = s.gap;
  const double x0 = cell.left() + s.marginX, x1 = cell.right() - s.marginX - s.slant;
  const double y0 = cell.top() + s.marginY, y1 = cell.bottom() - s.marginY;
  const double ym = (y0 + y1) / 2;
  const double left = x0 + t / 2, right = x1 - t / 2, top = y0 + t / 2, bottom = y1 - t / 2;

  // Lean the upright digit: x moves right in proportion to the height above
  // the bottom edge.
  const double k = s.slant / (y1 - y0);
  const QTransform lean(1, 0, -k, 1, k * y1, 0);

  struct Piece { unsigned bit; QPolygonF shape; };
  const Piece pieces[] = {
      {kSegA, Bar(left, right, top, t, g, true)},
      {kSegG, Bar(left, right, ym, t, g, true)},
      {kSegD, Bar(left, right, bottom, t, g, true)},
      {kSegF, Bar(top, ym, left, t, g, false)},
      {kSegE, Bar(ym, bottom, left, t, g, false)},
      {kSegB, Bar(top, ym, right, t, g, false)},
      {kSegC, Bar(ym, bottom, right, t, g, false)},
  };
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(kLitColour);
  for (const Piece& piece : pieces)
    if (bits & piece.bit) p.drawPolygon(lean.map(piece.shape));
  p.restore();
}

QImage DrawGlyphStrip(QSize stripSize, QSize cell, int pitch, int firstColumn, int count) {
  QImage strip(stripSize, QImage::Format_RGB32);
  strip.fill(kDarkColour);
  QPainter p(&strip);
  const DigitStyle style = StyleForCell(cell);
  for (int k = 0; k < count; ++k) {
    const QRectF box(firstColumn + pitch * k, 0, cell.width(), cell.height());
    // Clip to the cell so that no glyph spills onto a separator column.
    p.setClipRect(box);
    DrawDigit(p, box, GlyphSegments(lcr::kGlyphAlphabet[k]), style);
  }
  return strip;
}

}  // namespace artgen
