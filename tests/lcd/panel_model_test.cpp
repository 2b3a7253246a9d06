// The panel model of both families: readouts, points, units, the bar, and
// texts beyond what the decoders send.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "session/cycle.h"
#include "lcd/panel_model.h"
#include "lcd/segments_68.h"
#include "lcd/segments_730.h"

using namespace lcr;

namespace {

struct PanelRig {
  PanelModel panel;
  std::array<std::uint8_t, 64> buffer{};
  std::array<std::uint8_t, kPanelFlagCount> flags{};
  std::string mark = ".";

  explicit PanelRig(int family) {
    buffer.fill(0x55);
    ResetPanel(panel, buffer, family);
  }
  // DisplayCodes of 80 '0' with the given positions set.
  static std::string Codes(std::initializer_list<std::pair<int, char>> set = {}) {
    std::string codes(kBlankDisplayCodes);
    for (auto [p, ch] : set) codes[std::size_t(p - 1)] = ch;
    return codes;
  }
  void Render(const Reading& r) { RenderPanel(panel, PanelInput{r, mark, flags}, panel.family); }
  bool Lit(int s) const { return panel.visible[std::size_t(s)]; }
  // The glyphs of the lit cells first..last, as alphabet characters; '.' for a dark cell.
  std::string Cells(int first, int last) const {
    std::string out;
    for (int s = first; s <= last; ++s)
      out += Lit(s) ? kGlyphAlphabet[panel.cellGlyph[std::size_t(s)]] : '.';
    return out;
  }
  std::string Cells730() const { return Cells(seg730::kD1, seg730::kD4); }
};

Reading Main(std::string value, std::string range, std::string codes, std::string function = "OHMK") {
  Reading r;
  r.MainValue = std::move(value);
  r.MainRange = std::move(range);
  r.DisplayCodes = std::move(codes);
  r.MainFunction = std::move(function);
  return r;
}

TEST(Panel730, NumericReadoutHalfDigitPointsAndBar) {
  PanelRig p(730);
  EXPECT_EQ(p.buffer, decltype(p.buffer){});  // ResetPanel zero-fills the receive buffer
  EXPECT_EQ(p.panel.cellGlyph[seg730::kD1], 8);
  const std::string numeric = PanelRig::Codes();
  p.Render(Main("19.999", "20.000", numeric));
  EXPECT_TRUE(p.Lit(seg730::kHalfDigit));
  EXPECT_EQ(p.Cells730(), "9999");
  EXPECT_TRUE(p.Lit(seg730::kP2));
  EXPECT_EQ(p.panel.barWidth, 325);
  EXPECT_TRUE(p.Lit(seg730::kBar));

  p.Render(Main("5.123", "20.000", numeric));
  EXPECT_FALSE(p.Lit(seg730::kHalfDigit));
  EXPECT_EQ(p.Cells730(), "5123");
  p.Render(Main("-5.123", "20.000", numeric));  // the digit replaces the minus in D1
  EXPECT_EQ(p.Cells730(), "5123");
  EXPECT_EQ(p.panel.barWidth, -83);
  p.Render(Main("-12.3", "200.00", numeric));
  EXPECT_EQ(p.Cells730(), "-123");
  EXPECT_TRUE(p.Lit(seg730::kP3));
  p.Render(Main("0.000", "20.000", numeric));
  EXPECT_EQ(p.panel.barWidth, 1);
  p.Render(Main("0.5", "200.00", numeric));  // 0.8125 rounds to 1; 2.5 would round to 2
  EXPECT_EQ(p.panel.barWidth, 1);
}

TEST(Panel730, StatesWordsAndAnnunciators) {
  PanelRig p(730);
  p.Render(Main("OL", "20.000", PanelRig::Codes({{21, '1'}, {61, '1'}})));
  EXPECT_EQ(p.Cells730(), ".0L.");
  EXPECT_EQ(p.panel.barWidth, 325);
  for (int s = seg730::kBarScale0; s <= seg730::kBar; ++s) EXPECT_TRUE(p.Lit(s)) << s;
  EXPECT_TRUE(p.Lit(seg730::kP2));

  p.Render(Main("Err", "", PanelRig::Codes({{61, '1'}})));
  EXPECT_EQ(p.Cells730(), "Err.");
  EXPECT_EQ(p.panel.barWidth, 325);  // kept, and dark
  EXPECT_FALSE(p.Lit(seg730::kBar));
  p.Render(Main("Short", "", PanelRig::Codes({{61, '1'}})));
  EXPECT_EQ(p.Cells730(), "5rt.");
  p.Render(Main("Pass", "", PanelRig::Codes({{36, '1'}})));
  EXPECT_EQ(p.Cells730(), "----");

  // Tol ±1%, LCR mode, Rs (secondary code 3 lights neither ESR nor Rp), Ω.
  p.Render(Main("1.000", "2.000", PanelRig::Codes({{33, '3'}, {29, '1'}, {34, '3'}, {38, '3'}}), "OHM"));
  using namespace seg730;
  for (int s : {kTolText, kTolPlus, kTolMinus, kTolOne, kTolPercent, kLcrLabel, kAutoLabel, kRs, kMainOhm})
    EXPECT_TRUE(p.Lit(s)) << s;
  for (int s : {kTolPoint, kTolTwo, kBarScale0, kBarScalePercent, kBar, kEsr, kSubRp, kMainMega})
    EXPECT_FALSE(p.Lit(s)) << s;

  Reading both = Main("1", "", PanelRig::Codes());
  both.SubFunction = "CAP%";
  p.Render(both);
  EXPECT_TRUE(p.Lit(kSubFarad));
  EXPECT_FALSE(p.Lit(kSubPercent));
}

TEST(Panel68, ReadoutsPointsAndUnits) {
  PanelRig p(68);
  using namespace seg68;
  EXPECT_EQ(p.panel.cellGlyph[kD1], kNoGlyph);  // no picture until a value is shown
  p.Render(Main("1.2345", "2.0000", PanelRig::Codes()));
  EXPECT_EQ(p.Cells(kD1, kD5), "12345");
  EXPECT_TRUE(p.Lit(kP1));
  p.Render(Main("-3.45", "", PanelRig::Codes()));
  EXPECT_TRUE(p.Lit(kMainMinus));
  EXPECT_EQ(p.Cells(kD1, kD5), "..345");
  EXPECT_TRUE(p.Lit(kP3));
  p.Render(Main("OL", "600.0", PanelRig::Codes({{21, '1'}})));
  EXPECT_EQ(p.Cells(kD1, kD5), "..0L.");
  EXPECT_TRUE(p.Lit(kP3));
  p.Render(Main("HI", "6000", PanelRig::Codes()));
  EXPECT_EQ(p.Cells(kD1, kD5), "..H1.");
  for (int s = kP1; s <= kP4; ++s) EXPECT_FALSE(p.Lit(s));

  Reading sub = Main("1", "", PanelRig::Codes({{13, '1'}, {23, '1'}}), "FRE Hz");
  sub.SubValue = "----";
  p.Render(sub);  // no secondary without SubFunction
  for (int s : {kT2, kSubMinus, kFaradNano, kFaradMicro, kFaradMilli, kFarad, kMainMicro, kMainMilli})
    EXPECT_FALSE(p.Lit(s)) << s;
  for (int s = kS1; s <= kS5; ++s) EXPECT_FALSE(p.Lit(s)) << s;
  EXPECT_TRUE(p.Lit(kMainHz));
  sub.DisplayCodes = PanelRig::Codes();
  sub.SubFunction = "FRE Hz";
  p.Render(sub);
  EXPECT_TRUE(p.Lit(kSubMinus));
  EXPECT_EQ(p.Cells(kS1, kS5), "..---");
  EXPECT_TRUE(p.Lit(kSubHz));

  p.Render(Main("1", "", PanelRig::Codes(), "OKM"));  // K at position 2, M at position 3
  EXPECT_FALSE(p.Lit(kMainKilo));
  EXPECT_FALSE(p.Lit(kMainMega));
}

TEST(Panel68, BarGraphFollowsPanelFlags) {
  auto c = MakeCycle();
  ResetPanel(*c, 68);
  c->acq.ActiveFamily = 68;
  c->acq.reading = Main("1", "", PanelRig::Codes());
  c->acq.reading.SegmentFlags = std::string(45, '0') + "1";
  BuildPanelFlags(c->acq.reading.SegmentFlags, c->PanelFlags);
  RenderPanel(c->panel, PanelInput{c->acq.reading, ".", c->PanelFlags}, 68);
  EXPECT_TRUE(c->panel.visible[seg68::BarTick(45)]);
  EXPECT_TRUE(c->panel.visible[seg68::kOverflowArrow]);
  EXPECT_FALSE(c->panel.visible[seg68::BarTick(44)]);
}

TEST(Panel, TextsBeyondTheDecodersStayInTheirCells) {
  PanelRig p730(730), p68(68);
  const std::string numeric = PanelRig::Codes();
  p730.Render(Main("0.123456", ".20000", numeric));  // six decimals, point beyond P1
  EXPECT_EQ(p730.Cells730(), "3456");
  EXPECT_FALSE(p730.Lit(seg730::kHalfDigit));
  // After the bar group only D1-D4 light: no half digit, no point.
  for (int s = seg730::kBar + 1; s < kSegmentCount; ++s)
    EXPECT_EQ(p730.Lit(s), s >= seg730::kD1 && s <= seg730::kD4) << s;
  p730.Render(Main("12", "0", numeric));  // a zero range gives no bar; the width stays
  EXPECT_FALSE(p730.Lit(seg730::kBar));
  EXPECT_EQ(p730.panel.barWidth, 201);  // 0.123456 / 0.2 of the full length
  p730.Render(Main("9999", "0.0001", numeric));
  EXPECT_EQ(p730.panel.barWidth, kBarWidthLimit);

  p68.Render(Main("1H4", ".20000", numeric));
  EXPECT_EQ(p68.Cells(seg68::kD1, seg68::kD5), "..1H4");
  p68.Render(Main("U.NNNN", "", numeric));
  EXPECT_EQ(p68.Cells(seg68::kD1, seg68::kD5), "U....");
  EXPECT_TRUE(p68.Lit(seg68::kP1));
  p68.Render(Main("1234567", ".20000", PanelRig::Codes({{21, '1'}})));
  // A range mark at position 1 would land just before P1.
  for (int s = seg68::kD5 + 1; s <= seg68::kP4; ++s) EXPECT_FALSE(p68.Lit(s)) << s;
}

// Random texts over both families: glyphs only in digit cells and within the
// family's strip, and the change lists carry a viewer from one state to the next.
TEST(Panel, ChangesReplayEveryRenderOverRandomTexts) {
  std::mt19937 rng(6);
  const std::string alphabet = "0123456789.,-LOHIUNPassFilErShort \xA6\xB8";
  const auto text = [&](int maxLen) {
    std::string s;
    for (int n = int(rng() % unsigned(maxLen + 1)); n > 0; --n) s += alphabet[rng() % alphabet.size()];
    return s;
  };
  for (int family : {730, 68}) {
    PanelRig p(family);
    PanelModel viewer = p.panel;
    for (int i = 0; i < 3000; ++i) {
      Reading r = Main(text(8), text(7), PanelRig::Codes(), text(6));
      r.SubValue = text(8);
      r.SubRange = text(7);
      r.SubFunction = text(6);
      for (int k = 0; k < 6; ++k) r.DisplayCodes[rng() % 80] = "0123456789"[rng() % 10];
      for (auto& f : p.flags) f = std::uint8_t(rng() % 2);
      p.Render(r);
      for (int s = 0; s < kSegmentCount; ++s) {
        const int g = p.panel.cellGlyph[std::size_t(s)];
        const PanelElement* e = p.panel.element[std::size_t(s)];
        const bool cell = e && (e->kind == ElementKind::MainCell || e->kind == ElementKind::SubCell);
        if (!cell) {
          EXPECT_EQ(g, kNoGlyph) << s;
        } else if (p.Lit(s)) {
          EXPECT_NE(g, kNoGlyph) << s;
        }
        EXPECT_LT(g, family == 730 ? kGlyphCount730 : kGlyphCount68);
      }
      for (int s : p.panel.changes.visibility) viewer.visible[std::size_t(s)] = !viewer.visible[std::size_t(s)];
      for (int s : p.panel.changes.cells) viewer.cellGlyph[std::size_t(s)] = p.panel.cellGlyph[std::size_t(s)];
      if (p.panel.changes.barWidth) viewer.barWidth = p.panel.barWidth;
      ASSERT_EQ(viewer.visible, p.panel.visible);
      ASSERT_EQ(viewer.cellGlyph, p.panel.cellGlyph);
      ASSERT_EQ(viewer.barWidth, p.panel.barWidth);
    }
  }
}

TEST(Panel, OtherTagsShowNothingAndRenderNothing) {
  PanelRig p(730);
  p.Render(Main("1.000", "2.000", PanelRig::Codes()));
  const auto before = p.panel.visible;
  RenderPanel(p.panel, PanelInput{Main("", "", PanelRig::Codes()), ".", p.flags}, 5);
  EXPECT_EQ(p.panel.visible, before);
  ResetPanel(p.panel, p.buffer, 5);
  p.Render(Main("1.000", "2.000", PanelRig::Codes()));
  EXPECT_TRUE(LitSegments(p.panel).empty());
  EXPECT_EQ(p.panel.geometry, nullptr);
}

}  // namespace
