#include "decode/decode68.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

#include "decode/glyphs68.h"
#include "tests/decode/reading_support.h"

namespace lcr {
namespace {

using Frame = std::array<std::uint8_t, kFrameLength68>;

constexpr std::pair<char, std::uint8_t> kMainPatterns[] = {
    {'N', 0x00}, {'1', 0x24}, {'7', 0x25}, {'4', 0x2E}, {'H', 0x3E}, {'L', 0x52}, {'2', 0x5D},
    {'5', 0x6B}, {'3', 0x6D}, {'9', 0x6F}, {'U', 0x76}, {'0', 0x77}, {'6', 0x7B}, {'8', 0x7F},
};
constexpr std::pair<char, std::uint8_t> kSubPatterns[] = {
    {'N', 0x00}, {'-', 0x10}, {'1', 0x24}, {'L', 0x4A}, {'U', 0x6E}, {'4', 0x74},
    {'H', 0x7C}, {'7', 0xA4}, {'3', 0xB6}, {'2', 0xBA}, {'5', 0xD6}, {'6', 0xDE},
    {'0', 0xEE}, {'9', 0xF6}, {'8', 0xFE},
};
constexpr std::uint8_t kUnknownMain = 0x01;  // top segment alone
constexpr std::uint8_t kUnknownSub = 0x80;

template <std::size_t N>
std::uint8_t PatternOf(const std::pair<char, std::uint8_t> (&table)[N], char c) {
  for (const auto& [glyph, pattern] : table)
    if (glyph == c) return pattern;
  ADD_FAILURE() << "no pattern for " << c;
  return 0;
}

Frame BlankFrame() {
  Frame f{};
  f[0] = 0xAA;
  f[1] = 0x55;
  f[3] = 0x37;
  f[28] = 0x08;
  f[29] = 0xBB;
  f[30] = 0x66;
  return f;
}

// Five primary glyphs, leftmost first, into bytes 11..7 (point bits kept).
void SetMainDigits(Frame& f, const char (&glyphs)[6]) {
  for (int i = 0; i < 5; ++i)
    f[11 - i] = static_cast<std::uint8_t>((f[11 - i] & 0x80) | PatternOf(kMainPatterns, glyphs[i]));
}

// Point i (1..4) on the primary: bit 7 of byte 6 + i.
void SetMainPoint(Frame& f, int i) { f[6 + i] |= 0x80; }

void SetSubDigits(Frame& f, const char (&glyphs)[6]) {
  for (int i = 0; i < 5; ++i)
    f[26 - i] = static_cast<std::uint8_t>((f[26 - i] & 0x01) | PatternOf(kSubPatterns, glyphs[i]));
}

// Point i (1..4) on the secondary: bit 0 of byte 21 + i.
void SetSubPoint(Frame& f, int i) { f[21 + i] |= 0x01; }

Reading Decode(const Frame& f, std::string_view mark = ".") {
  Reading r;
  Decode68Frame(f.data(), r, mark);
  return r;
}

using lcrtest::Codes;

const std::string kOhm(kGbkOhm);
const std::string kCelsius(kGbkCelsius);
const std::string kFahrenheit(kGbkFahrenheit);

TEST(Glyphs68, MainTableIgnoresBit7) {
  for (int byte = 0; byte < 256; ++byte) {
    char expected = 'E';
    for (const auto& [glyph, pattern] : kMainPatterns)
      if (pattern == (byte & 0x7F)) expected = glyph;
    EXPECT_EQ(MainGlyph(static_cast<std::uint8_t>(byte)), expected) << "byte " << byte;
  }
}

TEST(Glyphs68, SubTableIgnoresBit0) {
  for (int byte = 0; byte < 256; ++byte) {
    char expected = 'E';
    for (const auto& [glyph, pattern] : kSubPatterns)
      if (pattern == (byte & 0xFE)) expected = glyph;
    EXPECT_EQ(SubGlyph(static_cast<std::uint8_t>(byte)), expected) << "byte " << byte;
  }
}

TEST(Decode68, WorkedValues) {
  Frame f = BlankFrame();
  SetMainDigits(f, "N1234");
  SetMainPoint(f, 3);
  Reading r = Decode(f);
  EXPECT_EQ(r.MainValue, "1.234");
  EXPECT_EQ(r.MainRange, "20.000");

  f = BlankFrame();
  SetMainDigits(f, "00500");
  SetMainPoint(f, 2);
  EXPECT_EQ(Decode(f).MainValue, "5.00");

  f = BlankFrame();
  f[21] = 0x01;  // secondary FRE
  SetSubDigits(f, "N1234");
  SetSubPoint(f, 3);
  r = Decode(f);
  EXPECT_EQ(r.SubRange, "9.999");
  EXPECT_EQ(r.SubValue, "1.234");
  EXPECT_EQ(r.SubFunction, "FRE Hz");
  f[24] &= 0xFE;
  EXPECT_EQ(Decode(f).SubRange, "9999");

  f = BlankFrame();
  f[19] = 0x08;  // "A"
  f[20] = 0x80;  // percent
  r = Decode(f);
  EXPECT_EQ(r.MainRange, " 125.0");
  EXPECT_EQ(r.MainFunction, "CU% A%");
}

TEST(Decode68, BlankDisplaysGiveEmptyValues) {
  Reading r = Decode(BlankFrame());
  EXPECT_EQ(r.MainValue, "");
  EXPECT_EQ(r.SubValue, "");
  EXPECT_EQ(r.MainRange, " 20000");
  EXPECT_EQ(r.MainFunction, "    ");
  EXPECT_EQ(r.SubFunction, "    ");
  EXPECT_EQ(r.DisplayCodes, Codes({{7, '1'}}));  // byte 28 bit 3 of every accepted frame
  EXPECT_TRUE(HoldsReading(r.DisplayCodes));
}

TEST(Decode68, BlanksInsideANumberStay) {
  Frame f = BlankFrame();
  SetMainDigits(f, "N1N23");
  SetSubDigits(f, "NN0N5");
  Reading r = Decode(f);
  EXPECT_EQ(r.MainValue, "1N23");
  EXPECT_EQ(r.SubValue, "0N5");
}

TEST(Decode68, WholeNumbersKeepLeadingZeros) {
  Frame f = BlankFrame();
  SetMainDigits(f, "00123");
  SetSubDigits(f, "00045");
  Reading r = Decode(f);
  EXPECT_EQ(r.MainValue, "00123");
  EXPECT_EQ(r.SubValue, "00045");
}

TEST(Decode68, WordsAndOverloadPositions) {
  struct Case {
    const char glyphs[6];
    const char* word;
    int mainPosition;  // 0: none
    int subPosition;
  };
  const Case cases[] = {
      {"NN0LN", "OL", 21, 23}, {"NNULN", "UL", 22, 24}, {"NNL0N", "LO", 0, 0},
      {"NNH1N", "HI", 0, 0},   {"N0L0N", "OL", 21, 23},
  };
  for (const Case& c : cases) {
    Frame f = BlankFrame();
    SetMainDigits(f, c.glyphs);
    SetMainPoint(f, 2);  // a word never takes the mark
    Reading r = Decode(f);
    EXPECT_EQ(r.MainValue, c.word) << c.glyphs;
    EXPECT_EQ(r.DisplayCodes,
              c.mainPosition ? Codes({{7, '1'}, {c.mainPosition, '1'}}) : Codes({{7, '1'}}))
        << c.glyphs;

    f = BlankFrame();
    SetSubDigits(f, c.glyphs);
    f[26] |= 0x01;  // minus
    r = Decode(f);
    EXPECT_EQ(r.SubValue, std::string("-") + c.word) << c.glyphs;
    EXPECT_EQ(r.DisplayCodes,
              c.subPosition ? Codes({{7, '1'}, {c.subPosition, '1'}}) : Codes({{7, '1'}}))
        << c.glyphs;
  }
}

TEST(Decode68, SignsGoInFront) {
  Frame f = BlankFrame();
  SetMainDigits(f, "N1234");
  SetMainPoint(f, 3);
  f[11] |= 0x80;
  f[21] = 0x04;  // secondary "V"
  SetSubDigits(f, "N-N12");
  f[26] |= 0x01;
  SetSubPoint(f, 1);
  Reading r = Decode(f);
  EXPECT_EQ(r.MainValue, "-1.234");
  EXPECT_EQ(r.SubValue, "--N1.2");
  EXPECT_EQ(r.SubFunction, "V   V");

  f = BlankFrame();
  f[11] = 0x80;
  EXPECT_EQ(Decode(f).MainValue, "-");
}

TEST(Decode68, CommaMark) {
  Frame f = BlankFrame();
  SetMainDigits(f, "00125");
  SetMainPoint(f, 1);
  f[21] = 0x20;  // secondary TMP with degrees Celsius
  SetSubDigits(f, "N0255");
  SetSubPoint(f, 2);
  Reading r = Decode(f, ",");
  EXPECT_EQ(r.MainValue, "12,5");
  EXPECT_EQ(r.MainRange, "2000,0");
  EXPECT_EQ(r.SubValue, "2,55");
  EXPECT_EQ(r.SubRange, "200,00");
  EXPECT_EQ(r.SubFunction, "TMP " + kCelsius);
}

TEST(Decode68, AllBlankWithPointStillTrims) {
  Frame f = BlankFrame();
  SetMainPoint(f, 3);
  EXPECT_EQ(Decode(f).MainValue, "0.NNN");
}

TEST(Decode68, PrimaryFunctionTexts) {
  struct Case {
    std::uint8_t b12, b19, b20, b28;
    std::string function;
    std::string range;
  };
  const Case cases[] = {
      {0, 0, 0x80, 0x08, "DUT %", " 99999"},
      {0, 0x08, 0x80, 0x08, "CU% A%", " 125.0"},
      {0, 0, 0, 0x0C, "DIO  V", " 20000"},
      {0, 0, 0, 0x09, "CON " + kOhm, " 20000"},
      {0, 0x40, 0, 0x08, "OHM " + kOhm, " 20000"},
      {0, 0x60, 0, 0x08, "OHMK" + kOhm, " 20000"},
      {0, 0x50, 0, 0x08, "OHMM" + kOhm, " 20000"},
      {0, 0x80, 0, 0x08, "FRE Hz", " 99999"},
      {0, 0x82, 0, 0x08, "FREmHz", " 99999"},
      {0x80, 0x04, 0, 0x08, "ACV V", " 20000"},
      {0x40, 0x09, 0, 0x08, "DCAuA", " 20000"},
      {0x40, 0x0C, 0, 0x08, "DCAV V", " 20000"},  // a longer label is not shortened
      {0, 0, 0x48, 0x08, "CAPnF", "  2000"},
      {0, 0, 0x70, 0x08, "CAPuF", "  2000"},
      {0, 0, 0x60, 0x08, "CAPmF", "  2000"},
      {0, 0, 0x02, 0x08, "TMP " + kFahrenheit, " 20000"},
      {0, 0, 0x01, 0x08, "TMP " + kCelsius, " 20000"},
      {0, 0x40, 0x01, 0x08, "TMP " + kCelsius, " 20000"},
  };
  for (const Case& c : cases) {
    Frame f = BlankFrame();
    f[12] = c.b12;
    f[19] = c.b19;
    f[20] = c.b20;
    f[28] = c.b28;
    const Reading r = Decode(f);
    EXPECT_EQ(r.MainFunction, c.function) << c.function;
    EXPECT_EQ(r.MainRange, c.range) << c.function;
  }
}

TEST(Decode68, PrimaryRangeTakesThePoint) {
  Frame f = BlankFrame();
  SetMainPoint(f, 1);
  EXPECT_EQ(Decode(f).MainRange, "2000.0");

  f[20] = 0x40;  // CAP: "2000", point after p - 1 characters
  EXPECT_EQ(Decode(f).MainRange, " 200.0");
  f = BlankFrame();
  f[20] = 0x40;
  SetMainPoint(f, 4);  // p = 1: no point in the CAP range
  EXPECT_EQ(Decode(f).MainRange, "  2000");

  f = BlankFrame();
  f[20] = 0x80;  // DUT
  SetMainPoint(f, 2);
  EXPECT_EQ(Decode(f).MainRange, "999.99");
}

TEST(Decode68, SecondaryFunctionTexts) {
  struct Case {
    std::uint8_t b12, b19, b20, b21, b28;
    std::string function;
    std::string range;
  };
  const Case cases[] = {
      {0, 0, 0, 0x40, 0x08, "TMP " + kFahrenheit, "20000"},
      {0, 0, 0, 0x10, 0x08, "DUT %", "9999"},
      {0, 0, 0, 0x18, 0x08, "CU%mA%", "125.0"},
      {0, 0, 0, 0x0A, 0x08, "A  mA", "9999"},
      {0, 0, 0, 0x01, 0x0A, "FREK  Hz", "9999"},
      {0x80, 0, 0, 0x08, 0x08, "ACA A", "9999"},  // inherits the coupling label
      {0x40, 0, 0, 0x04, 0x08, "DCV V", "9999"},
      // Percent after a temperature unit turns it into "CU%".
      {0, 0, 0, 0x30, 0x08, "CU%mA%", "125.0"},
      {0, 0, 0, 0x02, 0x08, "    ", "unchanged"},  // no unit: no function
      {0x80, 0, 0, 0, 0x08, "    ", "unchanged"},
      // "CU%" on the primary removes an "A" secondary function.
      {0, 0x08, 0x80, 0x08, 0x08, "    ", "unchanged"},
      {0, 0x08, 0x80, 0x04, 0x08, "V   V", "9999"},
  };
  for (const Case& c : cases) {
    Frame f = BlankFrame();
    f[12] = c.b12;
    f[19] = c.b19;
    f[20] = c.b20;
    f[21] = c.b21;
    f[28] = c.b28;
    Reading r;
    r.SubRange = "unchanged";
    Decode68Frame(f.data(), r, ".");
    EXPECT_EQ(r.SubFunction, c.function) << c.function;
    EXPECT_EQ(r.SubRange, c.range) << c.function;
  }
}

TEST(Decode68, SecondaryWithoutUnitKeepsDigitsAndRange) {
  Frame f = BlankFrame();
  SetSubDigits(f, "N1234");
  SetSubPoint(f, 3);
  Reading r = lcrtest::LeftoverReading();
  Decode68Frame(f.data(), r, ".");
  EXPECT_EQ(r.SubValue, "1234");
  EXPECT_EQ(r.SubFunction, "    ");
  EXPECT_EQ(r.SubRange, "old sub range");
}

TEST(Decode68, ModeFlagsCopyTheUnpaddedPrimaryRange) {
  for (std::uint8_t b27 : {0x20, 0x10, 0x08}) {  // positions 1, 2, 6
    Frame f = BlankFrame();
    f[27] = b27;
    f[21] = 0x01;  // secondary FRE would give "9999"
    SetMainPoint(f, 2);
    Reading r = lcrtest::LeftoverReading();
    Decode68Frame(f.data(), r, ".");
    EXPECT_EQ(r.SubRange, "200.00") << int(b27);
    EXPECT_EQ(r.MainRange, "200.00") << int(b27);

    f[20] = 0x40;  // CAP: the copy is taken before padding
    Decode68Frame(f.data(), r, ".");
    EXPECT_EQ(r.SubRange, "20.00") << int(b27);
    EXPECT_EQ(r.MainRange, " 20.00") << int(b27);
  }
}

TEST(Decode68, DisplayCodesFlagPositions) {
  Frame f = BlankFrame();
  f[27] = 0xFF;
  f[28] = 0xFF;
  f[12] = 0x3F;
  f[20] = 0x04;
  f[21] = 0x80;
  std::string expected = Codes({});
  for (int p : {1, 2, 3, 4, 5, 6, 7, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19}) expected[p - 1] = '1';
  Reading r = Decode(f);
  EXPECT_EQ(r.DisplayCodes, expected);

  const std::pair<int, int> byte27[] = {{7, 10}, {6, 3}, {5, 1}, {4, 2}, {3, 6}, {2, 11}};
  for (const auto& [bit, position] : byte27) {
    f = BlankFrame();
    f[27] = static_cast<std::uint8_t>(1u << bit);
    EXPECT_EQ(Decode(f).DisplayCodes, Codes({{7, '1'}, {position, '1'}})) << "bit " << bit;
  }
  f = BlankFrame();
  f[28] = 0x38;
  EXPECT_EQ(Decode(f).DisplayCodes, Codes({{4, '1'}, {5, '1'}, {7, '1'}}));
  f = BlankFrame();
  f[12] = 0x15;
  EXPECT_EQ(Decode(f).DisplayCodes, Codes({{7, '1'}, {15, '1'}, {17, '1'}, {19, '1'}}));
}

TEST(Decode68, SegmentFlagsLayout) {
  Frame f = BlankFrame();
  for (int b = 13; b <= 18; ++b) f[b] = 0x01;
  EXPECT_EQ(Decode(f).SegmentFlags,
            "10000000000000011000000000000001"
            "1000000000000001");

  f = BlankFrame();
  f[13] = 0x02;  // character 2
  f[14] = 0x40;  // character 10
  f[18] = 0x01;  // character 48
  const std::string flags = Decode(f).SegmentFlags;
  ASSERT_EQ(flags.size(), 48u);
  std::string expected(48, '0');
  expected[1] = expected[9] = expected[47] = '1';
  EXPECT_EQ(flags, expected);
}

TEST(Decode68, UnknownPrimaryGlyphYieldsNoReading) {
  Frame f = BlankFrame();
  SetMainDigits(f, "N1234");
  f[9] = kUnknownMain;
  f[27] = 0x20;  // position 1: the secondary range would copy the primary one
  f[21] = 0x01;
  Reading r = lcrtest::LeftoverReading();
  Decode68Frame(f.data(), r, ".");
  EXPECT_EQ(r.DisplayCodes, kBlankDisplayCodes);
  EXPECT_EQ(r.MainValue, "old main");
  EXPECT_EQ(r.SubValue, "old sub");
  EXPECT_EQ(r.MainRange, "old main range");
  EXPECT_EQ(r.SubRange, "old main range");
  EXPECT_EQ(r.MainFunction, "old main function");
  EXPECT_EQ(r.SubFunction, "old sub function");
  EXPECT_EQ(r.SegmentFlags, "old segments");
  EXPECT_EQ(r.FrameStatus, "1");
}

TEST(Decode68, UnknownSecondaryGlyphYieldsNoReading) {
  Frame f = BlankFrame();
  f[23] = kUnknownSub;
  f[21] = 0x01;
  f[27] = 0x20;
  SetMainPoint(f, 2);
  Reading r = lcrtest::LeftoverReading();
  Decode68Frame(f.data(), r, ".");
  EXPECT_EQ(r.DisplayCodes, kBlankDisplayCodes);
  EXPECT_EQ(r.MainRange, "200.00");  // already rewritten, never padded
  EXPECT_EQ(r.SubRange, "old sub range");
  EXPECT_EQ(r.MainValue, "old main");
  EXPECT_EQ(r.SubValue, "old sub");
  EXPECT_EQ(r.MainFunction, "old main function");
  EXPECT_EQ(r.SegmentFlags, "old segments");
}

TEST(Decode68, TwoPointsYieldNoReading) {
  Frame f = BlankFrame();
  SetMainDigits(f, "12345");
  SetMainPoint(f, 1);
  SetMainPoint(f, 3);
  Reading r = lcrtest::LeftoverReading();
  Decode68Frame(f.data(), r, ".");
  EXPECT_EQ(r.DisplayCodes, kBlankDisplayCodes);
  EXPECT_EQ(r.MainValue, "old main");
  EXPECT_EQ(r.SegmentFlags, "old segments");

  f = BlankFrame();
  SetSubDigits(f, "12345");
  SetSubPoint(f, 2);
  SetSubPoint(f, 4);
  f[21] = 0x04;
  r = lcrtest::LeftoverReading();
  Decode68Frame(f.data(), r, ".");
  EXPECT_EQ(r.DisplayCodes, kBlankDisplayCodes);
  EXPECT_EQ(r.SubValue, "old sub");
  EXPECT_EQ(r.SubFunction, "old sub function");
  EXPECT_EQ(r.MainRange, "20000");
}

TEST(Decode68, ReadableFrameAfterUnreadableRestoresEverything) {
  Frame bad = BlankFrame();
  bad[7] = kUnknownMain;
  Frame good = BlankFrame();
  SetMainDigits(good, "N1234");
  SetMainPoint(good, 3);
  Reading r;
  Decode68Frame(good.data(), r, ".");
  const Reading first = r;
  Decode68Frame(bad.data(), r, ".");
  EXPECT_FALSE(HoldsReading(r.DisplayCodes));
  Decode68Frame(good.data(), r, ".");
  EXPECT_EQ(r.DisplayCodes, first.DisplayCodes);
  EXPECT_EQ(r.MainValue, first.MainValue);
  EXPECT_EQ(r.MainRange, first.MainRange);
  EXPECT_EQ(r.MainFunction, first.MainFunction);
  EXPECT_EQ(r.SegmentFlags, first.SegmentFlags);
}

}  // namespace
}  // namespace lcr
