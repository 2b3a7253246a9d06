#include "decode/decode730.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>
#include <string>
#include <utility>

#include "tests/decode/reading_support.h"

namespace lcr {
namespace {

using Frame = std::array<std::uint8_t, kFrameLength730>;

Frame BlankFrame() {
  Frame f{};
  f[1] = 0x0D;
  f[15] = 0x0D;
  f[16] = 0x0A;
  return f;
}

// Primary reading: raw 16-bit value, function code, decimal places.
void SetPrimary(Frame& f, std::uint16_t raw, unsigned function, unsigned places) {
  f[6] = static_cast<std::uint8_t>(raw >> 8);
  f[7] = static_cast<std::uint8_t>(raw & 0xFF);
  f[8] = static_cast<std::uint8_t>((function << 3) | places);
}

void SetSecondary(Frame& f, std::uint16_t raw, unsigned function, unsigned places) {
  f[11] = static_cast<std::uint8_t>(raw >> 8);
  f[12] = static_cast<std::uint8_t>(raw & 0xFF);
  f[13] = static_cast<std::uint8_t>((function << 3) | places);
}

Reading Decode(const Frame& f, std::string_view mark = ".") {
  Reading r;
  Decode730Frame(f.data(), r, mark);
  return r;
}

using lcrtest::Codes;

const std::string kOhm(kGbkOhm);

TEST(Decode730, WorkedValues) {
  Frame f = BlankFrame();
  SetPrimary(f, 5, 0, 3);
  EXPECT_EQ(Decode(f).MainValue, "0.005");

  f = BlankFrame();
  f[6] = 0xFF;
  f[7] = 0x38;
  f[8] = 2;
  EXPECT_EQ(Decode(f).MainValue, "-2.00");

  f = BlankFrame();
  SetPrimary(f, 12345, 0, 2);
  f[9] = 0x80;
  Reading r = Decode(f);
  EXPECT_EQ(r.MainValue, "123.4");
  EXPECT_EQ(r.MainRange, " 200.0");

  f = BlankFrame();
  SetPrimary(f, 0, 2, 0);
  EXPECT_EQ(Decode(f).MainFunction, "OHMK" + kOhm);
  SetPrimary(f, 0, 0, 0);
  EXPECT_EQ(Decode(f).MainFunction, "     ");
}

TEST(Decode730, BlankFrameStillCountsAsReading) {
  Reading r = Decode(BlankFrame());
  EXPECT_EQ(r.DisplayCodes, Codes({{15, '1'}}));
  EXPECT_TRUE(HoldsReading(r.DisplayCodes));
  EXPECT_EQ(r.SegmentFlags, "Not 730 use");
  EXPECT_FALSE(HoldsReading(r.SegmentFlags));
  EXPECT_EQ(r.MainValue, "0");
  EXPECT_EQ(r.MainRange, " 20000");
  EXPECT_EQ(r.SubRange, "20000");
  EXPECT_TRUE(r.FrameStatus.empty());
}

TEST(Decode730, BarLevelsFillFromPositionFifteen) {
  const char* bars[] = {"1000", "1100", "1110", "1111"};
  for (unsigned level = 0; level < 4; ++level) {
    Frame f = BlankFrame();
    f[3] = static_cast<std::uint8_t>((level << 2) | 0x13);  // bits 4, 1, 0 are not read
    EXPECT_EQ(Decode(f).DisplayCodes.substr(14, 4), bars[level]) << "level " << level;
  }
}

TEST(Decode730, Byte2FlagsLandOnTheirPositions) {
  const int positions[8] = {3, 25, 6, 11, 28, 29, 30, 31};
  for (int bit = 0; bit < 8; ++bit) {
    Frame f = BlankFrame();
    f[2] = static_cast<std::uint8_t>(1u << bit);
    EXPECT_EQ(Decode(f).DisplayCodes, Codes({{15, '1'}, {positions[bit], '1'}})) << "bit " << bit;
  }
}

TEST(Decode730, DisplayCodesLayoutOfAllFields) {
  Frame f = BlankFrame();
  f[3] = (5 << 5) | (2 << 2);
  f[4] = 0xF7;  // bits 7-4 are not read; 7 - 2 = 5
  f[5] = 0xFE;  // only bits 2-0: 6
  SetPrimary(f, 0, 11, 2);
  f[8] |= 0x80;  // not read
  f[9] = 0x80 | 0x40 | 0x20 | 17;
  f[10] = 0xFB;  // only bits 2-0: 3
  SetSecondary(f, 0, 14, 0);
  f[14] = 0xE0 | 31;
  const std::string expected =
      Codes({{15, '1'}, {16, '1'}, {17, '1'}, {32, '5'}, {33, '5'}, {34, '6'}, {21, '1'},
             {36, '1'}, {37, '1'}, {38, '3'}, {23, '1'}, {39, '1'}, {40, '1'}, {41, '1'},
             {42, '1'}, {43, '1'}, {44, '4'}, {61, '1'}, {62, '7'}, {63, '3'}, {64, '1'}});
  EXPECT_EQ(Decode(f).DisplayCodes, expected);
}

TEST(Decode730, ToleranceCodeKeepsOneCharacter) {
  // Raw byte 4 bits 3-0 -> position 33. 1 and 12-15 have no decimal digit:
  // they are written as '-' and 'A'-'D'.
  const char expected[16] = {'0', '-', '0', '1', '2', '3', '4', '5',
                             '6', '7', '8', '9', 'A', 'B', 'C', 'D'};
  for (unsigned raw = 0; raw < 16; ++raw) {
    Frame f = BlankFrame();
    f[4] = static_cast<std::uint8_t>(raw);
    f[5] = 7;
    const Reading r = Decode(f);
    ASSERT_EQ(r.DisplayCodes.size(), 80u);
    EXPECT_EQ(r.DisplayCodes, Codes({{15, '1'}, {33, expected[raw]}, {34, '7'}})) << "raw " << raw;
  }
}

TEST(Decode730, StateWordsAndSigns) {
  struct Case {
    unsigned state;
    const char* primary;
    const char* secondary;
  };
  const Case cases[] = {
      {1, "Space", ""}, {2, "----", "----"}, {3, "OL", "OL"},       {4, "", ""},
      {5, "", ""},      {6, "Err", "Err"},   {7, "Pass", "Pass"},   {8, "Fail", "Fail"},
      {9, "Open", "Open"}, {10, "Short", "Short"}, {11, "", ""},    {31, "", ""},
  };
  for (const Case& c : cases) {
    Frame f = BlankFrame();
    SetPrimary(f, 1234, 1, 2);  // places must not touch words
    SetSecondary(f, 1234, 1, 2);
    f[9] = static_cast<std::uint8_t>(c.state);
    f[14] = static_cast<std::uint8_t>(c.state);
    Reading r = Decode(f);
    EXPECT_EQ(r.MainValue, c.primary) << "state " << c.state;
    EXPECT_EQ(r.SubValue, c.secondary) << "state " << c.state;

    f[6] |= 0x80;
    f[11] |= 0x80;
    r = Decode(f);
    EXPECT_EQ(r.MainValue, std::string("-") + c.primary) << "state " << c.state;
    EXPECT_EQ(r.SubValue, std::string("-") + c.secondary) << "state " << c.state;
  }
}

TEST(Decode730, NegativeReadingIsTwosComplementMagnitude) {
  Frame f = BlankFrame();
  SetPrimary(f, 0xFFFF, 0, 0);
  SetSecondary(f, 0x8000, 0, 0);
  f[10] = 4;  // keep all secondary digits
  Reading r = Decode(f);
  EXPECT_EQ(r.MainValue, "-1");
  EXPECT_EQ(r.SubValue, "-32768");
}

TEST(Decode730, SecondaryRangeClearedForBlankStates) {
  for (unsigned state = 0; state < 32; ++state) {
    Frame f = BlankFrame();
    f[14] = static_cast<std::uint8_t>(state);
    const bool cleared = state == 1 || state == 2 || state == 4 || state == 5 || state == 6;
    EXPECT_EQ(Decode(f).SubRange, cleared ? "" : "20000") << "state " << state;
  }
  Frame f = BlankFrame();
  f[14] = 1;
  Reading r = Decode(f);
  EXPECT_EQ(r.SubValue, "");
  EXPECT_EQ(r.SubRange, "");
}

TEST(Decode730, ReducedResolutionDropsOneDigit) {
  Frame f = BlankFrame();
  SetPrimary(f, 12345, 0, 0);
  f[9] = 0x80;
  Reading r = Decode(f);
  EXPECT_EQ(r.MainValue, "1234");
  EXPECT_EQ(r.MainRange, "  2000");
  EXPECT_EQ(r.DisplayCodes[36], '1');

  SetPrimary(f, 7, 0, 0);
  EXPECT_EQ(Decode(f).MainValue, "7");  // a single digit is kept

  SetPrimary(f, 0xFFF9, 0, 1);  // -7, one place lowered to none
  r = Decode(f);
  EXPECT_EQ(r.MainValue, "-7");
  EXPECT_EQ(r.MainRange, "  2000");
}

TEST(Decode730, ManyPlacesKeepSixFractionCharacters) {
  Frame f = BlankFrame();
  SetPrimary(f, 12345, 0, 7);
  Reading r = Decode(f);
  EXPECT_EQ(r.MainValue, "0.001234");
  EXPECT_EQ(r.MainRange, ".20000");

  SetPrimary(f, 20000, 0, 6);
  r = Decode(f);
  EXPECT_EQ(r.MainValue, "0.020000");
  EXPECT_EQ(r.MainRange, ".20000");

  SetPrimary(f, 20000, 0, 4);
  r = Decode(f);
  EXPECT_EQ(r.MainValue, "2.0000");
  EXPECT_EQ(r.MainRange, "2.0000");
}

TEST(Decode730, CommaMark) {
  Frame f = BlankFrame();
  SetPrimary(f, 0xFFFB, 0, 3);  // -5
  SetSecondary(f, 1999, 0, 3);
  f[14] = 0x80;
  Reading r = Decode(f, ",");
  EXPECT_EQ(r.MainValue, "-0,005");
  EXPECT_EQ(r.MainRange, "20,000");
  // Secondary drops a digit and a place unless position 38 is '4'.
  EXPECT_EQ(r.SubValue, "1,99");
  EXPECT_EQ(r.SubRange, "20,00");
  EXPECT_EQ(r.MainValue.find('.'), std::string::npos);
}

TEST(Decode730, SecondaryLoweringFollowsResolutionCode) {
  Frame f = BlankFrame();
  SetSecondary(f, 1999, 0, 3);
  f[10] = 4;
  Reading r = Decode(f);
  EXPECT_EQ(r.SubValue, "1.999");
  EXPECT_EQ(r.SubRange, "20.000");

  // The short-range flag picks the range but does not lower by itself.
  f[14] = 0x80;
  r = Decode(f);
  EXPECT_EQ(r.SubValue, "1.999");
  EXPECT_EQ(r.SubRange, "2.000");

  f[10] = 1;
  r = Decode(f);
  EXPECT_EQ(r.SubValue, "1.99");
  EXPECT_EQ(r.SubRange, "20.00");
}

TEST(Decode730, PercentSecondaryKeepsDigitsAndUsesRange999) {
  Frame f = BlankFrame();
  SetSecondary(f, 456, 13, 0);
  f[14] = 0x80;  // ignored for "%"
  Reading r = Decode(f);
  EXPECT_EQ(r.SubValue, "456");
  EXPECT_EQ(r.SubRange, "999");
  EXPECT_EQ(r.SubFunction, "%   %");

  SetSecondary(f, 456, 13, 1);
  r = Decode(f);
  EXPECT_EQ(r.SubValue, "45.6");
  EXPECT_EQ(r.SubRange, "99.9");
}

TEST(Decode730, FunctionTexts) {
  struct Case {
    unsigned code;
    std::string primary;
    std::string secondary;
  };
  const Case cases[] = {
      {1, "OHM " + kOhm, "OHM " + kOhm}, {3, "OHMM" + kOhm, "OHMM" + kOhm},
      {4, "     ", "     "},           {5, "RESuH", "RESuH"},
      {7, "RES H", "RES H"},           {8, "RESKH", "RESKH"},
      {9, "CAPpF", "CAPpF"},           {12, "CAPmF", "CAPmF"},
      {13, "    ", "%   %"},           {14, "    ", "DEG  "},
      {15, "    ", "    "},
  };
  for (const Case& c : cases) {
    Frame f = BlankFrame();
    SetPrimary(f, 0, c.code, 0);
    SetSecondary(f, 0, c.code, 0);
    const Reading r = Decode(f);
    EXPECT_EQ(r.MainFunction, c.primary) << "code " << c.code;
    EXPECT_EQ(r.SubFunction, c.secondary) << "code " << c.code;
  }
}

TEST(Decode730, RewritesEveryFieldOfAReusedReading) {
  Frame f = BlankFrame();
  SetPrimary(f, 12345, 10, 7);
  SetSecondary(f, 0xFFFF, 13, 2);
  f[2] = 0xFF;
  f[9] = 0x80 | 3;
  Reading r;
  Decode730Frame(f.data(), r, ",");
  r.FrameStatus = "1";

  const Frame blank = BlankFrame();
  Decode730Frame(blank.data(), r, ".");
  const Reading fresh = Decode(blank);
  EXPECT_EQ(r.DisplayCodes, fresh.DisplayCodes);
  EXPECT_EQ(r.MainValue, fresh.MainValue);
  EXPECT_EQ(r.SubValue, fresh.SubValue);
  EXPECT_EQ(r.MainRange, fresh.MainRange);
  EXPECT_EQ(r.SubRange, fresh.SubRange);
  EXPECT_EQ(r.MainFunction, fresh.MainFunction);
  EXPECT_EQ(r.SubFunction, fresh.SubFunction);
  EXPECT_EQ(r.SegmentFlags, fresh.SegmentFlags);
  EXPECT_EQ(r.FrameStatus, "1");  // never touched by the decoder
}

}  // namespace
}  // namespace lcr
