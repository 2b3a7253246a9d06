#include "lcd_art.h"

#include <QPainter>
#include <QString>
#include <algorithm>

#include "lcd_ink.h"
#include "lcd_marks.h"
#include "seven_segment.h"

namespace artgen {

namespace {

using lcr::ElementKind;
using lcr::PanelElement;

QString Shows(const PanelElement& e) { return QString::fromUtf8(e.shows); }

// The word a label or text element prints: its "Shows" text without the
// trailing description ("HOLD label (boxed)" -> "HOLD", "k (primary)" -> "k",
// "small 0 (tens)" -> "0", "USB text" -> "USB").
QString Word(const PanelElement& e) {
  QString s = Shows(e);
  const int paren = s.indexOf(QLatin1String(" ("));
  if (paren > 0) s.truncate(paren);
  for (const char* tail : {" label", " text"})
    if (s.endsWith(QLatin1String(tail))) s.chop(int(qstrlen(tail)));
  if (s.startsWith(QLatin1String("small "))) s.remove(0, 6);
  if (s.startsWith(QLatin1String("bar scale "))) s.remove(0, 10);
  if (s == QLatin1String("computer-link")) return QStringLiteral("PC-LINK");
  return s;
}

// The half digit: the two right-hand segments of a 1 in the primary style,
// its right edge on the rectangle's.
void DrawHalfDigit(QPainter& p, const QRectF& box, QSize mainCell) {
  const QRectF cell(box.right() - mainCell.width(), box.top() - 1, mainCell.width(), mainCell.height());
  p.save();
  p.setClipRect(box);
  DrawDigit(p, cell, GlyphSegments('1'), StyleForCell(mainCell));
  p.restore();
}

// A minus sign as heavy as the digits' segments beside it.
void DrawMinus(QPainter& p, const QRectF& box) {
  const double t = std::min(box.height(), std::max(3.0, box.height() * 0.62));
  DrawBlock(p, QRectF(box.left() + 0.5, box.center().y() - t / 2, box.width() - 1, t));
}

void DrawElement(QPainter& p, const PanelElement& e, const lcr::PanelGeometry& g) {
  const QRectF box(e.x, e.y, e.w, e.h);
  const QString shows = Shows(e);
  auto has = [&](const char* what) { return shows.contains(QLatin1String(what)); };

  if (lcr::IsDigitCell(e)) {
    // Every element lit: the digit cells read 8.
    const lcr::GlyphStrip& s = e.kind == ElementKind::MainCell ? g.mainStrip : g.subStrip;
    const QSize cell(s.cellWidth, s.cellHeight);
    DrawDigit(p, QRectF(e.x, e.y, cell.width(), cell.height()), GlyphSegments('8'), StyleForCell(cell));
  } else if (e.kind == ElementKind::SolidFill || has("battery bar") || has("bar under +")) {
    DrawBlock(p, box);
  } else if (has("(boxed)")) {
    DrawBoxedLabel(p, box, Word(e));
  } else if (has("half digit")) {
    DrawHalfDigit(p, box, QSize(g.mainStrip.cellWidth, g.mainStrip.cellHeight));
  } else if (has("point")) {
    DrawPoint(p, box);
  } else if (has("minus sign")) {
    DrawMinus(p, box);
  } else if (has("battery outline")) {
    DrawBatteryOutline(p, box);
  } else if (has("overflow arrow")) {
    DrawRightArrow(p, box);
  } else if (has("length varies")) {
    DrawBarGraph(p, box);
  } else if (has("+ of the tolerance")) {
    DrawPlus(p, box);
  } else if (has("diode")) {
    DrawDiode(p, box);
  } else if (has("continuity")) {
    DrawContinuity(p, box);
  } else if (has("lightning")) {
    DrawLightning(p, box);
  } else if (has("circular-arrow")) {
    DrawCircularArrow(p, box);
  } else {
    DrawFittedText(p, box, Word(e));
  }
}

}  // namespace

QImage DrawLcdArt(const lcr::PanelGeometry& g) {
  QImage art(lcr::kPanelWidth, lcr::kPanelHeight, QImage::Format_RGB32);
  art.fill(kDarkColour);
  QPainter p(&art);
  for (const PanelElement& e : g.elements) {
    if (e.h == 0) continue;
    // Each element stays inside its own rectangle: that rectangle is all a
    // segment's picture holds.
    p.setClipRect(QRect(e.x, e.y, e.w, e.h));
    DrawElement(p, e, g);
  }
  return art;
}

QImage DrawGlyphStrip(const lcr::GlyphStrip& s) {
  return DrawGlyphStrip(QSize(s.width, s.height), QSize(s.cellWidth, s.cellHeight), s.pitch,
                        s.firstColumn, s.glyphCount);
}

QImage DrawBackdrop() {
  QImage image(lcr::kPanelWidth, lcr::kPanelHeight, QImage::Format_RGB32);
  image.fill(kDarkColour);
  return image;
}

QImage DrawSwatch() {
  QImage image(lcr::kSwatchWidth, lcr::kSwatchHeight, QImage::Format_RGB32);
  image.fill(kLitColour);
  return image;
}

}  // namespace artgen
