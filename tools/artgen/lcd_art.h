#pragma once
// The display pictures of one family, drawn from its geometry table: the LCD
// art with every element lit, and the two glyph strips.

#include <QImage>

#include "lcd/panel_geometry.h"

namespace artgen {

QImage DrawLcdArt(const lcr::PanelGeometry& g);
QImage DrawGlyphStrip(const lcr::GlyphStrip& s);
// The black picture behind the segments, and the swatch of lit colour.
QImage DrawBackdrop();
QImage DrawSwatch();

}  // namespace artgen
