// The value words mean the same in the chart and on the dial, and the
// panel's word tests are exact where they must be.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "decode/value_words.h"
#include "views/chart_model.h"
#include "views/dial_model.h"

using namespace lcr;

namespace {

// Every word either family's decoder writes, bare, signed and padded into a
// longer display text.
std::vector<std::string> WordTexts() {
  std::vector<std::string> out;
  for (const char* w : {"OL", "UL", "HI", "LO", "Pass", "Fail", "Open", "Short", "Err", "Space", "----"}) {
    out.push_back(w);
    out.push_back(std::string("-") + w);
    out.push_back(std::string("N") + w + "N");
  }
  return out;
}

TEST(ValueWords, ChartAndDialPlaceEveryWordAlike) {
  const std::string caption = "OHM 20.000 K";  // full scale 20
  for (const std::string& v : WordTexts()) {
    SCOPED_TRACE(v);
    const double y = PlotValue(v, caption, 15, 15, ".", 7.5);
    const double a = NeedleAngleFor(v, "20.000", ".");
    switch (ScaleOf(v)) {
      case ValueScale::FullScale:
        EXPECT_EQ(std::abs(y), 20.0);
        EXPECT_EQ(std::abs(a), kFullScaleAngle);
        EXPECT_EQ(y < 0, a < 0);
        EXPECT_EQ(y < 0, HasMinusSign(v));
        break;
      case ValueScale::Zero:
        EXPECT_EQ(y, 0.0);
        EXPECT_EQ(a, 0.0);
        break;
      case ValueScale::Number:
        // No number in a word: the chart keeps its last value unless dashes show 0.
        EXPECT_EQ(y, ShowsDashes(v) ? 0.0 : 7.5);
        EXPECT_EQ(a, 0.0);
        break;
    }
  }
}

TEST(ValueWords, PanelWordTestsAreExactOrHeldAsDocumented) {
  EXPECT_EQ(StateWordOf("Pass"), StateWord::Pass);
  EXPECT_EQ(StateWordOf("Short"), StateWord::Short);
  EXPECT_EQ(StateWordOf("Err"), StateWord::Err);
  EXPECT_EQ(StateWordOf("-Pass"), StateWord::None);
  EXPECT_EQ(StateWordOf("OL"), StateWord::None);
  // Family 68 tests UL, then HI, then LO, anywhere in the text.
  EXPECT_EQ(LimitWordOf("-UL"), LimitWord::Under);
  EXPECT_EQ(LimitWordOf("HILO"), LimitWord::High);
  EXPECT_EQ(LimitWordOf("NLON"), LimitWord::Low);
  EXPECT_EQ(LimitWordOf("OL"), LimitWord::None);
  EXPECT_TRUE(HasMinusSign("-1.234"));
  EXPECT_FALSE(HasMinusSign("----"));
  EXPECT_TRUE(MayBeNumber("-1.234"));
}

}  // namespace
