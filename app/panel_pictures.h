#pragma once
// The display's pictures: loading them from the resources and cutting the
// segment and glyph pictures out of the art and the strips.

#include <QColor>
#include <QImage>

#include "lcd/panel_geometry.h"

namespace lcr {

// A picture of the display by its resource name (BMP_730_LCD_MAIN, ...,
// LCD_BACKDROP, LCD_CLIME), matched without regard to case. A picture the
// build lacks comes back dark at `fallback` size, so the panel still works.
QImage PanelPicture(const char* name, QSize fallback);

// Segment e's picture: the art inside its rectangle. The rectangles of other
// segments that lie wholly inside e's are left dark, so that a battery
// outline does not show its bars while they are off.
QImage CutSegment(const QImage& art, const PanelGeometry& g, const PanelElement& e);

// Glyph k of a strip: its cell, separators left out.
QImage CutGlyph(const QImage& strip, const GlyphStrip& s, int k);

// A segment filled with one colour (family 68's ticks and battery bars).
QImage SolidSegment(const PanelElement& e, const QColor& fill);

// The colour family 68 fills with: the swatch's pixel (2, 2).
QColor SwatchColour(const QImage& swatch);

}  // namespace lcr
