#pragma once
// Where every element of the meter's display sits, for both families, and
// the glyph strips the digit cells take their pictures from. Plain data: the
// panel model places and lights segments by these tables, and the art
// generator draws the LCD pictures from the same rectangles and texts.

#include <span>

namespace lcr {

inline constexpr int kPanelWidth = 350;   // the LCD art, backdrop and Panel1 area
inline constexpr int kPanelHeight = 150;
inline constexpr int kSegmentCount = 251;  // SegmentImages 0..250
inline constexpr int kGlyphHolderCount = 61;  // MainGlyphImages / SubGlyphImages
// Glyph holders below this index are emptied by a family change; the rest
// keep family 730's pictures (family 68 never uses them).
inline constexpr int kGlyphHoldersCleared = 22;
// LCD_CLIME, the swatch of lit segment colour; family 68 fills with the
// colour of its pixel (2, 2).
inline constexpr int kSwatchWidth = 29;
inline constexpr int kSwatchHeight = 24;
inline constexpr int kSwatchSampleX = 2;
inline constexpr int kSwatchSampleY = 2;

// The shared seven-segment alphabet: glyph index -> character. The digit 0
// also serves as O, 5 as S and (family 68) 1 as I.
inline constexpr char kGlyphAlphabet[] = "0123456789LUAEC" "dH-PIFNnrt";
inline constexpr int kGlyphCount730 = 25;
inline constexpr int kGlyphCount68 = 18;
// Named glyphs used by the readouts (kGlyphn, kGlyphr and kGlyphT are the
// lower-case n, r and t).
inline constexpr int kGlyphL = 10, kGlyphU = 11, kGlyphA = 12, kGlyphE = 13, kGlyphH = 16,
                     kGlyphDash = 17, kGlyphP = 18, kGlyphI = 19, kGlyphF = 20, kGlyphn = 22,
                     kGlyphr = 23, kGlyphT = 24;

// How a segment gets its picture when a family is set up.
enum class ElementKind {
  Art,        // cut from the LCD art at its rectangle
  SolidFill,  // the rectangle filled with the swatch colour (family 68)
  MainCell,   // a primary digit cell: holds a primary glyph
  SubCell,    // a secondary digit cell: holds a secondary glyph
};

struct PanelElement {
  int segment;  // index into SegmentImages
  int x, y, w, h;  // rectangle in the LCD art; shown one pixel up-left of it
  ElementKind kind;
  const char* shows;  // what the art holds there (UTF-8)
};

// A digit cell holds a glyph picture instead of a piece of the art.
inline bool IsDigitCell(const PanelElement& e) {
  return e.kind == ElementKind::MainCell || e.kind == ElementKind::SubCell;
}

// A strip of glyphs side by side: glyph k's cell starts at column
// firstColumn + pitch * k and is cellWidth x cellHeight; the columns between
// cells are separators.
struct GlyphStrip {
  const char* resource;
  int width, height;
  int glyphCount;
  int firstColumn;
  int pitch;
  int cellWidth, cellHeight;
};

struct PanelGeometry {
  int family;  // 730 or 68
  const char* artResource;  // the LCD art with every element lit
  GlyphStrip mainStrip;
  GlyphStrip subStrip;
  // The segments that have a rectangle, by rising segment number; every other
  // segment is empty (X = Y = W = H = 0).
  std::span<const PanelElement> elements;
};

const PanelGeometry& PanelGeometry730();
const PanelGeometry& PanelGeometry68();
// The table for a family tag, or nullptr for any other tag.
const PanelGeometry* PanelGeometryFor(int family);

// True when `inner` is another, non-empty element whose rectangle lies wholly
// inside `outer`'s (battery bars inside the battery outline): the picture cut
// for `outer` must leave it dark, or `outer` would always show it.
bool LiesWithin(const PanelElement& inner, const PanelElement& outer);

}  // namespace lcr
