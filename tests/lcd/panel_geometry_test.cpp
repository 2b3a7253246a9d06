// The display tables: what the art, the cutting and the glyph cells rely on.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "lcd/panel_geometry.h"
#include "lcd/segments_68.h"
#include "lcd/segments_730.h"

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

// Every segment name points at the entry whose art shows what the name says.
// Where two entries show the same text (the n of nH and of nF), the name's
// entry also sits on the row of the segment `rowOf`.
struct Named {
  int segment;
  const char* shows;
  int rowOf = -1;
};

std::vector<Named> Names730() {
  using namespace seg730;
  return {
      {kLcrLabel, "LCR label (boxed)"}, {kRelLabel, "REL label (boxed)"},
      {kHoldLabel, "HOLD label (boxed)"}, {kAutoLabel, "AUTO label (boxed)"}, {kLs, "Ls"},
      {kLp, "Lp"}, {kCs, "Cs"}, {kCp, "Cp"}, {kRs, "Rs"}, {kRp, "Rp"}, {kDcr, "DCR"},
      {kExtPowerText, "Ext-Power text"}, {kSortingText, "Sorting text"}, {kCalText, "CAL text"},
      {kUsbText, "USB text"}, {kTolText, "Tol text"}, {kTolPlus, "+ of the tolerance sign"},
      {kTolMinus, "bar under + (with 17 reads ±; alone -)"}, {kTolPoint, "small decimal point"},
      {kTolOne, "small 1", kTolText}, {kTolTwo, "small 2"}, {kTolZero, "small 0"},
      {kTolFive, "small 5"}, {kTolPercent, "small %"}, {kTolPlus80, "+80%"}, {kFreq120, "120"},
      {kFreqOne, "small 1", kFreqHz}, {kFreqKilo, "k"}, {kFreqHz, "Hz"},
      {kFreqTens, "small 0 (tens)"},
      {kFreqHundreds, "small 0 (hundreds)"}, {kBatteryOutline, "battery outline"},
      {kBatteryBar1, "battery bar 1"}, {kBatteryBar2, "battery bar 2"},
      {kBatteryBar3, "battery bar 3"}, {kEsr, "ESR"}, {kSubRp, "Rp (secondary)"}, {kD, "D"},
      {kQ, "Q"}, {kTheta, "θ"}, {kMainMega, "M (primary)"}, {kMainKilo, "k (primary)"},
      {kMainOhm, "Ω (primary)"}, {kMainHenryNano, "n (primary)", kMainHenry},
      {kMainHenryMicro, "µ (primary)", kMainHenry}, {kMainHenryMilli, "m (primary)", kMainHenry},
      {kMainHenry, "H (primary)"}, {kMainFaradPico, "p (primary)"},
      {kMainFaradNano, "n (primary)", kMainFarad}, {kMainFaradMicro, "µ (primary)", kMainFarad},
      {kMainFaradMilli, "m (primary)", kMainFarad}, {kMainFarad, "F (primary)"},
      {kSubDegree, "° (secondary)"}, {kSubMega, "M (secondary)"}, {kSubKilo, "k (secondary)"},
      {kSubOhm, "Ω (secondary)"}, {kSubFaradPico, "p (secondary)"},
      {kSubFaradNano, "n (secondary)", kSubFarad}, {kSubFaradMicro, "µ (secondary)", kSubFarad},
      {kSubFaradMilli, "m (secondary)", kSubFarad}, {kSubFarad, "F (secondary)"},
      {kSubPercent, "% (secondary)"}, {kSubHenryNano, "n (secondary)", kSubHenry},
      {kSubHenryMicro, "µ (secondary)", kSubHenry}, {kSubHenryMilli, "m (secondary)", kSubHenry},
      {kSubHenry, "H (secondary)"}, {kBarScale0, "bar scale 0"},
      {kBarScalePercent, "bar scale %"},
      {kOverflowArrow, "overflow arrow at the bar's right end"},
      {kBar, "bar (length varies, full length 325)"},
      {kHalfDigit, "primary leading 1 (half digit)"}, {kD1, "primary digit D1 (glyph cell)"},
      {kD4, "primary digit D4 (glyph cell)"}, {kP1, "primary point P1 (left of D1)"},
      {kP2, "primary point P2 (between D1 and D2)"},
      {kP3, "primary point P3 (between D2 and D3)"},
      {kP4, "primary point P4 (between D3 and D4)"}, {kS1, "secondary digit S1 (glyph cell)"},
      {kS4, "secondary digit S4 (glyph cell)"}, {kQ1, "secondary point Q1 (between S1 and S2)"},
      {kQ3, "secondary point Q3 (between S3 and S4)"},
  };
}

std::vector<Named> Names68() {
  using namespace seg68;
  return {
      {kMaxLabel, "MAX label (boxed)"}, {kMinLabel, "MIN label (boxed)"},
      {kHoldLabel, "H label (boxed)"}, {kAutoLabel, "AUTO label (boxed)"},
      {kManuLabel, "MANU label (boxed)"}, {kRelLabel, "REL label (boxed)"},
      {kPcLinkLabel, "computer-link label (boxed)"}, {kCircularArrow, "circular-arrow symbol"},
      {kCalLabel, "CAL label (boxed)"}, {kLightning, "lightning symbol"}, {kT1, "T1"},
      {kT2, "T2"}, {kBatteryOutline, "battery outline"},
      {kBatteryBar1, "battery bar 1 (solid fill)"}, {kBatteryBar2, "battery bar 2 (solid fill)"},
      {kBatteryBar3, "battery bar 3 (solid fill)"}, {kBatteryBar4, "battery bar 4 (solid fill)"},
      {kAc, "AC"}, {kDc, "DC"}, {kDiode, "diode symbol"},
      {kContinuity, "continuity (sound) symbol"}, {kMainCelsius, "°C (primary)"},
      {kMainFahrenheit, "°F (primary)"}, {kMainMicro, "µ (primary)"}, {kMainMilli, "m (primary)"},
      {kMainVolt, "V (primary)"}, {kMainAmp, "A (primary)"}, {kFaradNano, "n (capacitance)"},
      {kFaradMicro, "µ (capacitance)"}, {kFaradMilli, "m (capacitance)"}, {kFarad, "F"},
      {kMainMega, "M (primary)"}, {kMainKilo, "k (primary)"}, {kMainOhm, "Ω (primary)"},
      {kMainHz, "Hz (primary)"}, {kMainPercent, "% (primary)"}, {kSubKilo, "k (secondary)"},
      {kSubHz, "Hz (secondary)"}, {kSubCelsius, "°C (secondary)"},
      {kSubFahrenheit, "°F (secondary)"}, {kSubMilli, "m (secondary)"},
      {kSubVolt, "V (secondary)"}, {kSubAmp, "A (secondary)"}, {kSubPercent, "% (secondary)"},
      {kMainMinus, "primary minus sign"}, {kSubMinus, "secondary minus sign"},
      {kBarGraph, "bar minus mark (solid fill)"}, {kBarMinus, "bar minus mark (solid fill)"},
      {kOverflowArrow, "overflow arrow"},
      {kD1, "primary digit D1"}, {kD5, "primary digit D5"}, {kP1, "primary point P1 (after D1)"},
      {kP3, "primary point P3 (after D3)"}, {kP4, "primary point P4 (after D4)"},
      {kS1, "secondary digit S1"}, {kS5, "secondary digit S5"},
      {kQ1, "secondary point Q1 (after S1)"}, {kQ4, "secondary point Q4 (after S4)"},
  };
}

TEST(PanelGeometry, SegmentNamesMatchWhatTheirEntriesShow) {
  const auto entry = [](int family, int segment) {
    static const PanelElement kNone{-1, 0, -100, 0, 0, ElementKind::Art, "(no entry)"};
    for (const PanelElement& e : PanelGeometryFor(family)->elements)
      if (e.segment == segment) return e;
    return kNone;
  };
  for (auto [family, names] : {std::pair{730, Names730()}, std::pair{68, Names68()}}) {
    for (const Named& n : names) {
      SCOPED_TRACE(std::to_string(family) + " segment " + std::to_string(n.segment));
      const PanelElement e = entry(family, n.segment);
      EXPECT_STREQ(e.shows, n.shows);
      if (n.rowOf >= 0) {
        EXPECT_LE(std::abs(e.y - entry(family, n.rowOf).y), 1);
      }
    }
  }
  for (int n = 1; n <= 45; ++n) {
    const std::string shows = entry(68, seg68::BarTick(n)).shows;
    EXPECT_TRUE(shows.starts_with("bar tick " + std::to_string(n) + " (")) << n;
  }
}

}  // namespace
