// The display tables: what the art, the cutting and the glyph cells rely on.
#include <gtest/gtest.h>

#include <cstring>

#include "lcd/panel_geometry.h"

using namespace lcr;

namespace {

void CheckStrip(const GlyphStrip& s, int family) {
  SCOPED_TRACE(s.resource);
  EXPECT_LE(s.glyphCount, static_cast<int>(std::strlen(kGlyphAlphabet)));
  EXPECT_GT(s.pitch, s.cellWidth);  // a separator column between cells
  EXPECT_LE(s.firstColumn + s.pitch * (s.glyphCount - 1) + s.cellWidth, s.width);
  EXPECT_EQ(s.cellHeight, s.height);
  EXPECT_LE(s.glyphCount, family == 730 ? kGlyphHolderCount : kGlyphHoldersCleared);
}

TEST(PanelGeometry, EveryElementFitsTheArtAndEveryCellFitsItsGlyph) {
  for (int family : {730, 68}) {
    SCOPED_TRACE(family);
    const PanelGeometry* g = PanelGeometryFor(family);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->family, family);
    CheckStrip(g->mainStrip, family);
    CheckStrip(g->subStrip, family);
    int previous = -1;
    int mainCells = 0, subCells = 0;
    for (const PanelElement& e : g->elements) {
      SCOPED_TRACE(e.segment);
      EXPECT_GT(e.segment, previous);  // sorted, no duplicates
      previous = e.segment;
      EXPECT_LT(e.segment, kSegmentCount);
      EXPECT_GE(e.x, 0);
      EXPECT_GE(e.y, 0);
      EXPECT_GT(e.w, 0);
      EXPECT_GT(e.h, 0);
      EXPECT_LE(e.x + e.w, kPanelWidth);
      EXPECT_LE(e.y + e.h, kPanelHeight);
      EXPECT_GT(std::strlen(e.shows), 0u);
      const GlyphStrip* strip = e.kind == ElementKind::MainCell  ? &g->mainStrip
                                : e.kind == ElementKind::SubCell ? &g->subStrip
                                                                 : nullptr;
      if (strip) {
        (e.kind == ElementKind::MainCell ? mainCells : subCells)++;
        // A glyph shows at natural size from the cell's corner: it must cover the cell's height and
        // not spill past its width.
        EXPECT_EQ(e.h, strip->cellHeight);
        EXPECT_GE(e.w, strip->cellWidth);
        EXPECT_LE(e.w, strip->cellWidth + 1);
      }
    }
    const int digits = family == 730 ? 4 : 5;
    EXPECT_EQ(mainCells, digits);
    EXPECT_EQ(subCells, digits);
  }
  EXPECT_EQ(PanelGeometryFor(0), nullptr);
}

}  // namespace
