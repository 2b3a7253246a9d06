// The dial's needle, face, multiplier and state texts.
#include <gtest/gtest.h>

#include <cmath>

#include "views/dial_model.h"

using namespace lcr;

namespace {

struct DialTest : ::testing::Test {
  DialStateTexts state;
  DialModel model;
  std::string mark = ".";

  void Update(std::string_view value, std::string_view range) { UpdateDial(state, model, value, range, mark); }
};

TEST_F(DialTest, HalfTheRangeTiltsTheNeedleHalfwayRight) {
  Update("10", "20.000");
  EXPECT_DOUBLE_EQ(model.angle, 0.4086);
  EXPECT_EQ(model.tip, (DialPoint{244, 31}));
  EXPECT_EQ(model.foot, (DialPoint{195, 145}));
  EXPECT_EQ(state.NeedleTopRow, "31");
  EXPECT_EQ(state.NeedleBottomRow, "145");
  EXPECT_DOUBLE_EQ(state.NeedleAngle, 0.4086);
  EXPECT_EQ(model.MainNO, "10");
  EXPECT_TRUE(model.needleDrawn);
}

TEST_F(DialTest, NegativeValuesTiltLeftAndRoundTowardZero) {
  Update("-10", "20.000");
  EXPECT_DOUBLE_EQ(model.angle, -0.4086);
  // -79.46 rounds to -79: the fraction of a negative number never reaches 0.5.
  EXPECT_EQ(model.tip, (DialPoint{86, 31}));
  EXPECT_EQ(model.foot, (DialPoint{135, 145}));  // 134.69 + 0.5 and cut
  EXPECT_DOUBLE_EQ(state.NeedleAngle, -0.4086);
}

TEST_F(DialTest, OverloadsGoToTheScaleEnds) {
  Update("OL", "20.000");
  EXPECT_DOUBLE_EQ(model.angle, 0.8172);
  EXPECT_EQ(model.tip, (DialPoint{311, 78}));
  EXPECT_EQ(model.foot, (DialPoint{240, 145}));
  Update("-OL", "20.000");
  EXPECT_DOUBLE_EQ(model.angle, -0.8172);
  EXPECT_EQ(model.tip, (DialPoint{20, 78}));
  EXPECT_EQ(model.foot, (DialPoint{90, 145}));
  for (const char* v : {"UL", "HI", "Pass", "Open", "--OL"}) {
    Update(v, "20.000");
    EXPECT_DOUBLE_EQ(model.angle, 0.8172) << v;
  }
  for (const char* v : {"LO", "Short", "Fail", "----"}) {
    Update("5", "20.000");
    Update(v, "20.000");
    EXPECT_EQ(model.angle, 0) << v;
    EXPECT_EQ(model.tip, (DialPoint{165, 15})) << v;
    EXPECT_EQ(state.NeedleAngle, 0.0) << v;
  }
}

TEST_F(DialTest, DashesAndFailAreShownButTheNeedleRestsAtZero) {
  Update("----", "20.000");
  EXPECT_EQ(model.MainNO, "----");
  EXPECT_EQ(model.angle, 0);
  EXPECT_EQ(model.multiplier, "x1000");  // read as "0"
  Update("Fail", "20.000");
  EXPECT_EQ(model.MainNO, "Fail");
  Update("", "20.000");
  EXPECT_EQ(model.MainNO, "0");
  EXPECT_EQ(model.angle, 0);
}

TEST_F(DialTest, MultiplierFollowsTheDigitsAfterTheMark) {
  EXPECT_EQ(MultiplierText("1.234", "."), "x1");
  EXPECT_EQ(MultiplierText("12.34", "."), "x10");
  EXPECT_EQ(MultiplierText("123.4", "."), "x100");
  EXPECT_EQ(MultiplierText("1234", "."), "x1000");
  EXPECT_EQ(MultiplierText("1.", "."), "x0");
  EXPECT_EQ(MultiplierText("0.0001", "."), "x0");
  EXPECT_EQ(MultiplierText("1,234", ","), "x1");
  EXPECT_EQ(MultiplierText("1.234", ","), "x1000");
  Update("12.34", "20.000");
  EXPECT_EQ(model.multiplier, "x10");
}

TEST_F(DialTest, FaceFollowsTheFirstCharacterOfTheRange) {
  EXPECT_EQ(model.face, DialFace::BP_2);
  Update("1", "20.000");
  EXPECT_EQ(model.face, DialFace::BP_2);
  EXPECT_EQ(state.DialRangeClass, "2");
  const auto faces = model.faceRevision;
  Update("2", "20.000");
  EXPECT_EQ(model.faceRevision, faces) << "same class, no new face";

  Update("1", "9.999");
  EXPECT_EQ(model.face, DialFace::BP_10);
  EXPECT_EQ(model.faceRevision, faces + 1) << "the old needle goes with the old face";
  EXPECT_EQ(state.DialRangeClass, "9");
  Update("1", "125.0");
  EXPECT_EQ(model.face, DialFace::BP_125);
  EXPECT_STREQ(DialFaceName(model.face), "BP_125");
  // Any other class keeps the clean face but still starts from it.
  Update("1", "5.000");
  EXPECT_EQ(model.face, DialFace::BP_125);
  EXPECT_EQ(state.DialRangeClass, "5");
  EXPECT_EQ(model.faceRevision, faces + 3);
}

TEST_F(DialTest, RangesPaddedOnTheLeftNeverChangeTheFace) {
  Update("1", "9.999");
  ASSERT_EQ(model.face, DialFace::BP_10);
  for (const char* range : {" 20000", "  2000", " 125.0", " 9.999"}) {
    Update("1000", range);
    EXPECT_EQ(model.face, DialFace::BP_10) << range;
    EXPECT_EQ(state.DialRangeClass, " ");
  }
  // The padding does not stop the range reading as a number.
  Update("1000", "  2000");
  EXPECT_DOUBLE_EQ(model.angle, 0.4086);
}

TEST_F(DialTest, ErasesTheStripsUnderTheOldNeedle) {
  Update("10", "20.000");
  EXPECT_EQ(model.erase.size(), 1u) << "first call: rows 0 to 0 of the start-up state";
  Update("0", "20.000");
  // Rows 31 to 145 of the needle at 0.4086, 21 pixels each, around
  // tan(0.4086) * (212 - y) + 165.
  ASSERT_EQ(model.erase.size(), std::size_t(145 - 31 + 1));
  EXPECT_EQ(model.erase.front(), (DialStrip{31, 233, 253}));
  EXPECT_EQ(model.erase.back().y, 145);
  for (const DialStrip& s : model.erase) {
    const double centre = std::tan(0.4086) * (212 - s.y) + 165;
    EXPECT_EQ(s.xTo - s.xFrom, 20);
    EXPECT_NEAR((s.xFrom + s.xTo) / 2.0, centre, 0.5) << s.y;
  }
  // Every pixel of the needle line lies well inside its row's strip.
  Update("20", "20.000");
  const DialPoint tip = model.tip, foot = model.foot;
  Update("0", "20.000");
  for (const DialStrip& s : model.erase) {
    const double t = double(s.y - tip.y) / (foot.y - tip.y);
    const double x = tip.x + t * (foot.x - tip.x);
    EXPECT_GE(x - 2, s.xFrom) << s.y;
    EXPECT_LE(x + 2, s.xTo) << s.y;
  }
}

TEST_F(DialTest, StripsAreCutToThePicture) {
  std::vector<DialStrip> strips;
  NeedleStrips(-0.8172, 78, 145, strips);
  ASSERT_FALSE(strips.empty());
  for (const DialStrip& s : strips) {
    EXPECT_GE(s.xFrom, 0);
    EXPECT_LE(s.xTo, kDialImageWidth - 1);
  }
  NeedleStrips(0, -40, 400, strips);
  EXPECT_EQ(strips.size(), std::size_t(kDialImageHeight));
  NeedleStrips(0, 100, 99, strips);
  EXPECT_TRUE(strips.empty());
}

TEST_F(DialTest, CommaMarkKeepsTheAngle) {
  mark = ",";
  Update("10", "20,000");
  EXPECT_DOUBLE_EQ(state.NeedleAngle, 0.4086);
  EXPECT_DOUBLE_EQ(model.angle, 0.4086);
  Update("-OL", "20,000");
  EXPECT_DOUBLE_EQ(state.NeedleAngle, -0.8172);
  // The strips come from the angle kept by the last call.
  std::vector<DialStrip> expected;
  NeedleStrips(0.4086, 31, 145, expected);
  EXPECT_EQ(model.erase, expected);
  EXPECT_EQ(model.multiplier, "x1000");
}

TEST_F(DialTest, WhatIsNoNumberRestsTheNeedleAtZero) {
  for (auto [value, range] : std::initializer_list<std::pair<const char*, const char*>>{
           {"Space", "20.000"}, {"10", ""}, {"10", "abc"}, {"10", "0"}, {"10", "0.000"},
           {"1e308", "1e-308"}, {"nan", "1"}, {"1.2.3", "20"}}) {
    Update("5", "20.000");
    Update(value, range);
    EXPECT_EQ(model.angle, 0) << value << " on " << range;
    EXPECT_EQ(model.tip, (DialPoint{165, 15}));
  }
  Update("10", "");
  EXPECT_EQ(state.DialRangeClass, "");
}

TEST_F(DialTest, FarOverTheRangeStaysErasable) {
  Update("1000", "20.000");
  EXPECT_GT(model.angle, 0.8172);
  EXPECT_LE(model.tip.y, kNeedleFootRow) << "the next call's strips must reach the tip";
  Update("-99999", "0.001");
  EXPECT_LE(model.tip.y, kNeedleFootRow);
  EXPECT_LT(model.tip.x, 165);
  const int tipRow = model.tip.y;
  Update("0", "20.000");
  ASSERT_FALSE(model.erase.empty());
  EXPECT_GE(model.erase.front().y, tipRow);  // rows left of the picture drop out
  EXPECT_EQ(model.erase.back().y, kNeedleFootRow);
}

TEST_F(DialTest, ForeignStateTextsDoNotBreakTheNextCall) {
  state.NeedleAngle = std::nan("");
  state.NeedleTopRow = "-99999999999";
  state.NeedleBottomRow = "9e99";
  Update("10", "20.000");
  EXPECT_EQ(model.erase.size(), std::size_t(kDialImageHeight));
  for (const DialStrip& s : model.erase) EXPECT_EQ(s.xFrom, 155);
  EXPECT_EQ(state.NeedleTopRow, "31");
}

TEST_F(DialTest, ResetShowsTheCleanFaceAndEmptiesTheText) {
  Update("10", "20.000");
  const auto faces = model.faceRevision;
  ResetDialViews(model);
  EXPECT_EQ(model.faceRevision, faces + 1);
  EXPECT_FALSE(model.needleDrawn);
  EXPECT_EQ(model.MainNO, "");
  Update("0", "2.2000");
  EXPECT_TRUE(model.needleDrawn);
  EXPECT_EQ(model.tip, (DialPoint{165, 15}));
  EXPECT_EQ(model.MainNO, "0");
}

}  // namespace
