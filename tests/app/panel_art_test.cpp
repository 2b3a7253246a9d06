// The display pictures as embedded: their sizes, every element and glyph
// lit inside its own rectangle and nothing drawn outside one.
#include <gtest/gtest.h>

#include <QImage>
#include <set>

#include "app/panel_pictures.h"
#include "lcd/panel_geometry.h"

using namespace lcr;

namespace {

bool IsLit(QRgb c) { return qGray(c) >= 128; }

int LitPixels(const QImage& image, const QRect& r) {
  int n = 0;
  for (int y = r.top(); y <= r.bottom(); ++y)
    for (int x = r.left(); x <= r.right(); ++x) n += IsLit(image.pixel(x, y));
  return n;
}

QImage Load(const char* name) { return PanelPicture(name, QSize(1, 1)); }

class PanelArtTest : public ::testing::TestWithParam<int> {
 protected:
  const PanelGeometry& g = *PanelGeometryFor(GetParam());
};

TEST_P(PanelArtTest, EveryElementIsLitInsideItsRectangleAndNothingOutside) {
  const QImage art = Load(g.artResource);
  ASSERT_EQ(art.size(), QSize(kPanelWidth, kPanelHeight));
  QImage covered(art.size(), QImage::Format_Mono);
  covered.fill(0);
  for (const PanelElement& e : g.elements) {
    if (e.h == 0) continue;
    const QRect r(e.x, e.y, e.w, e.h);
    ASSERT_TRUE(art.rect().contains(r)) << e.segment;
    EXPECT_GT(LitPixels(art, r), 0) << "segment " << e.segment << " " << e.shows;
    // What the segment finally shows: the cut picture still holds its mark.
    if (e.kind == ElementKind::Art) {
      const QImage cut = CutSegment(art, g, e);
      EXPECT_GT(LitPixels(cut, cut.rect()), 0) << "segment " << e.segment;
    }
    for (int y = r.top(); y <= r.bottom(); ++y)
      for (int x = r.left(); x <= r.right(); ++x) covered.setPixel(x, y, 1);
  }
  for (int y = 0; y < art.height(); ++y)
    for (int x = 0; x < art.width(); ++x)
      if (!covered.pixelIndex(x, y)) {
        ASSERT_EQ(art.pixel(x, y) & 0xffffff, 0u) << x << "," << y;
      }
}

TEST_P(PanelArtTest, GlyphStripsHoldOneDistinctLitGlyphPerCell) {
  for (const GlyphStrip* s : {&g.mainStrip, &g.subStrip}) {
    const QImage strip = Load(s->resource);
    ASSERT_EQ(strip.size(), QSize(s->width, s->height)) << s->resource;
    QImage covered(strip.size(), QImage::Format_Mono);
    covered.fill(0);
    std::set<QByteArray> shapes;
    for (int k = 0; k < s->glyphCount; ++k) {
      const QImage cell = CutGlyph(strip, *s, k);
      EXPECT_GT(LitPixels(cell, cell.rect()), 0) << s->resource << " glyph " << k;
      shapes.insert(QByteArray(reinterpret_cast<const char*>(cell.constBits()), int(cell.sizeInBytes())));
      for (int y = 0; y < s->cellHeight; ++y)
        for (int x = 0; x < s->cellWidth; ++x) covered.setPixel(s->firstColumn + s->pitch * k + x, y, 1);
    }
    EXPECT_EQ(int(shapes.size()), s->glyphCount) << s->resource << ": two glyphs look alike";
    for (int y = 0; y < strip.height(); ++y)
      for (int x = 0; x < strip.width(); ++x)
        if (!covered.pixelIndex(x, y)) {
          ASSERT_EQ(strip.pixel(x, y) & 0xffffff, 0u) << s->resource << " " << x;
        }
  }
}

INSTANTIATE_TEST_SUITE_P(BothFamilies, PanelArtTest, ::testing::Values(730, 68));

TEST(PanelArt, BackdropIsBlackAndTheSwatchLit) {
  const QImage back = Load("LCD_BACKDROP");
  ASSERT_EQ(back.size(), QSize(kPanelWidth, kPanelHeight));
  EXPECT_EQ(LitPixels(back, back.rect()), 0);
  EXPECT_EQ(back.pixel(0, 0) & 0xffffff, 0u);
  const QImage swatch = Load("lcd_clime");  // names match regardless of case
  ASSERT_EQ(swatch.size(), QSize(kSwatchWidth, kSwatchHeight));
  EXPECT_TRUE(IsLit(SwatchColour(swatch).rgb()));
}

}  // namespace
