#pragma once
// Seven-segment glyphs, slanted like a liquid-crystal display's digits.

#include <QPainter>
#include <QRectF>
#include <QSize>
#include <QImage>

namespace artgen {

// Segment bits: a top, b top right, c bottom right, d bottom, e bottom left,
// f top left, g middle.
enum SegmentBit : unsigned {
  kSegA = 1, kSegB = 2, kSegC = 4, kSegD = 8, kSegE = 16, kSegF = 32, kSegG = 64
};

// The segments of one alphabet character (0 for a character it lacks).
unsigned GlyphSegments(char c);

// Thickness, slant and margins for a digit cell of the given size.
struct DigitStyle {
  double thickness;
  double gap;    // between neighbouring segments
  double slant;  // how far the top leans right of the bottom, in pixels
  double marginX;
  double marginY;
};
DigitStyle StyleForCell(QSize cell);

// Draws the segments `bits` inside `cell` (lit colour, antialiased).
void DrawDigit(QPainter& p, const QRectF& cell, unsigned bits, const DigitStyle& s);

// A strip of glyphs 0..count-1 of the display alphabet: glyph k fills the cell at
// column firstColumn + pitch*k; everything else stays dark.
QImage DrawGlyphStrip(QSize stripSize, QSize cell, int pitch, int firstColumn, int count);

}  // namespace artgen
