#include "decode/bits.h"

#include <gtest/gtest.h>

namespace lcr {
namespace {

TEST(ByteToBits, MostSignificantBitFirst) {
  EXPECT_EQ(ByteToBits(0x00), "00000000");
  EXPECT_EQ(ByteToBits(0x01), "00000001");
  EXPECT_EQ(ByteToBits(0xC4), "11000100");
  EXPECT_EQ(ByteToBits(0xFF), "11111111");
}

TEST(ByteToBits, ReversedIsLeastSignificantBitFirst) {
  EXPECT_EQ(ByteToBitsReversed(0x01), "10000000");
  EXPECT_EQ(ByteToBitsReversed(0xC4), "00100011");
  EXPECT_EQ(ByteToBitsReversed(0x80), "00000001");
}

TEST(ByteToBits, AppendingFormsExtendTheBuffer) {
  std::string out = "x";
  AppendByteToBits(out, 0x80);
  AppendByteToBitsReversed(out, 0x80);
  EXPECT_EQ(out, "x1000000000000001");
}

TEST(BitsToNumber, ReadsFirstCharacterAsMostSignificant) {
  EXPECT_EQ(BitsToNumber(""), 0u);
  EXPECT_EQ(BitsToNumber("0"), 0u);
  EXPECT_EQ(BitsToNumber("101"), 5u);
  EXPECT_EQ(BitsToNumber("0011"), 3u);
  EXPECT_EQ(BitsToNumber("11111111"), 255u);
  for (int b = 0; b < 256; ++b)
    EXPECT_EQ(BitsToNumber(ByteToBits(static_cast<std::uint8_t>(b))), static_cast<unsigned>(b));
}

TEST(PadWithZeros, PadsOnlyShortTexts) {
  std::string text = "5";
  PadWithZeros(text, 4);
  EXPECT_EQ(text, "0005");
  PadWithZeros(text, 2);
  EXPECT_EQ(text, "0005");
  std::string empty;
  PadWithZeros(empty, 2);
  EXPECT_EQ(empty, "00");
}

TEST(TrimLeadingZeros, TrimsTheIntegerPartOnly) {
  struct Case {
    const char* in;
    const char* mark;
    const char* out;
  };
  const Case cases[] = {
      {"005.00", ".", "5.00"},   {"000.50", ".", "0.50"}, {".5", ".", "0.5"},
      {"0012,5", ",", "12,5"},   {"12.0", ".", "12.0"},   {"00.1.2", ".", "0.1.2"},
      {"0.NNN", ".", "0.NNN"},   {"U0.5", ".", "U0.5"},
  };
  for (const Case& c : cases) {
    std::string text = c.in;
    TrimLeadingZeros(text, c.mark);
    EXPECT_EQ(text, c.out) << "input " << c.in;
  }
}

TEST(TrimLeadingZeros, LeavesWholeNumbersAlone) {
  std::string whole = "00123";
  TrimLeadingZeros(whole, ".");
  EXPECT_EQ(whole, "00123");
  // A point is not the mark when the mark is a comma.
  std::string pointed = "0012.5";
  TrimLeadingZeros(pointed, ",");
  EXPECT_EQ(pointed, "0012.5");
}

}  // namespace
}  // namespace lcr
