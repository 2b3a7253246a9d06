// The read-out over the chart, and the axis scales the chart is drawn with.
#include <gtest/gtest.h>

#include "views/chart_readout.h"
#include "views/chart_axis.h"

using namespace lcr;

namespace {

constexpr int kW = 600, kH = 400;

struct ReadoutTest : ::testing::Test {
  MeasurementTable table;
  ChartModel chart;

  void SetUp() override {
    std::vector<MeasurementRecord> records(12);
    for (int k = 1; k <= 12; ++k) {
      MeasurementRecord& r = records[std::size_t(k - 1)];
      r.TimeText.Assign(" 00:00:" + std::to_string(10 + k) + " ");
      r.MainValue.Assign(" 1.2" + std::to_string(k % 10));
      r.MainCaption.Assign("CAP AUTO 20.000 nF");
    }
    ReplaceRecords(table, records);
    chart.ChartFirstRow = 3;
    chart.points.resize(10);  // rows 3 to 12
  }

  Readout At(int x, int y, double axisValue) { return Chart1MouseMove({x, y, kW, kH, axisValue}, chart, table); }
};

TEST_F(ReadoutTest, NothingHappensWithoutPoints) {
  chart.points.clear();
  const Readout r = At(100, 100, 2);
  EXPECT_EQ(r.visibility, Readout::Visibility::Unchanged);
  EXPECT_FALSE(r.placed);
  EXPECT_FALSE(r.text);
}

TEST_F(ReadoutTest, EdgesOfTheChartHideIt) {
  for (auto [x, y] : {std::pair{kW - 11, 100}, std::pair{100, kH - 19}, std::pair{100, 9}}) {
    const Readout r = At(x, y, 2);
    EXPECT_EQ(r.visibility, Readout::Visibility::Hidden) << x << "," << y;
    EXPECT_FALSE(r.placed);
  }
  EXPECT_EQ(At(kW - 12, kH - 20, 2).visibility, Readout::Visibility::Shown);
  EXPECT_EQ(At(100, 10, 2).visibility, Readout::Visibility::Shown);
}

TEST_F(ReadoutTest, TheBoxSitsBesideTheMouse) {
  Readout r = At(100, 50, 2);
  EXPECT_EQ(r.boxLeft, 110);
  EXPECT_EQ(r.boxTop, 60);
  EXPECT_EQ(r.lineLeft, 102);
  r = At(kW - 200, 50, 2);
  EXPECT_EQ(r.boxLeft, kW - 360);
  r = At(kW - 13, 50, 2);
  EXPECT_EQ(r.boxLeft, kW - 173);
  r = At(kW - 12, 50, 2);  // neither side: the box keeps its place
  EXPECT_FALSE(r.boxLeft);
  EXPECT_EQ(r.lineLeft, kW - 10);
}

TEST_F(ReadoutTest, TextOfThePointUnderTheMouse) {
  Readout r = At(100, 50, 2.5);  // rounds half up to point 3, row 6
  EXPECT_EQ(r.visibility, Readout::Visibility::Shown);
  EXPECT_EQ(r.text, "00:00:16 | 1.26 nF");
  r = At(100, 50, 0.49);
  EXPECT_EQ(r.text, "00:00:13 | 1.23 nF");
  r = At(100, 50, -0.9);  // rounds toward zero: still point 0
  EXPECT_EQ(r.text, "00:00:13 | 1.23 nF");
}

// The unit is the caption's own, for either family and with or without a prefix.
TEST_F(ReadoutTest, TheUnitOfThePointFollowsItsCaption) {
  const std::pair<const char*, const char*> cases[] = {{"OHM 20.000 K\xA6\xB8", "1.26 K\xA6\xB8"},
                                                       {"DCV  MANU 2.000  V", "1.26 V"},
                                                       {"CAP 20.000 ", "1.26 "},
                                                       {"", "1.26 "}};
  for (auto [caption, shown] : cases) {
    table.rows[6].MainCaption.Assign(caption);
    EXPECT_EQ(At(100, 50, 2.5).text, std::string("00:00:16 | ") + shown) << caption;
  }
}

TEST_F(ReadoutTest, RightOfTheLastPointIsABlankAndLeftOfTheFirstHides) {
  Readout r = At(100, 50, 9.5);
  EXPECT_EQ(r.visibility, Readout::Visibility::Shown);
  EXPECT_EQ(r.text, " ");
  r = At(100, 50, -1.2);
  EXPECT_EQ(r.visibility, Readout::Visibility::Hidden);
  EXPECT_TRUE(r.placed);  // placed before it was hidden
  EXPECT_FALSE(r.text);
}

TEST_F(ReadoutTest, PointsOfRowsTheTableNoLongerHasReadEmpty) {
  chart.ChartFirstRow = 19990;  // points of a table since replaced by a shorter one
  const Readout r = At(100, 50, 9);
  EXPECT_EQ(r.text, " |  ");
  chart.ChartFirstRow = 2147483000;
  EXPECT_EQ(At(100, 50, 9).text, " |  ");
  EXPECT_EQ(At(100, 50, 1e300).text, " ");
}

ChartModel Values(std::initializer_list<std::optional<double>> values, const char* format, double increment) {
  ChartModel m;
  for (auto v : values) m.points.push_back({v, ""});
  m.valueFormat = format;
  m.increment = increment;
  return m;
}

TEST(ChartAxis, FormatDecimals) {
  EXPECT_EQ(FormatDecimals("####0.####"), 4);
  EXPECT_EQ(FormatDecimals("#0.###"), 3);
  EXPECT_EQ(FormatDecimals("#####"), 0);
}

TEST(ChartAxis, StepsOfOneTwoOrFiveNoFinerThanTheIncrement) {
  AxisScale s = ChooseValueAxis(Values({1.2, 1.9, std::nullopt, 1.5}, "#0.###", 0.001), 11);
  EXPECT_DOUBLE_EQ(s.step, 0.1);
  EXPECT_DOUBLE_EQ(s.minimum, 1.2);
  EXPECT_DOUBLE_EQ(s.maximum, 1.9);
  EXPECT_EQ(s.decimals, 1);

  s = ChooseValueAxis(Values({0, 1500}, "#####", 1), 8);
  EXPECT_DOUBLE_EQ(s.step, 500);
  EXPECT_DOUBLE_EQ(s.maximum, 1500);
  EXPECT_EQ(s.decimals, 0);

  // "#####" shows no decimals: whole steps even for a small span.
  s = ChooseValueAxis(Values({0.1, 0.3}, "#####", 1), 11);
  EXPECT_DOUBLE_EQ(s.step, 1);
  EXPECT_DOUBLE_EQ(s.minimum, 0);
  EXPECT_DOUBLE_EQ(s.maximum, 1);
}

TEST(ChartAxis, AnIncrementLargerThanTheSpanGivesWayToTheSpan) {
  const AxisScale s = ChooseValueAxis(Values({2, 18}, "####0.####", 1000), 9);
  EXPECT_DOUBLE_EQ(s.step, 2);
  EXPECT_DOUBLE_EQ(s.minimum, 2);
  EXPECT_DOUBLE_EQ(s.maximum, 18);
}

TEST(ChartAxis, FlatOrEmptyChartsStillHaveARange) {
  AxisScale s = ChooseValueAxis(Values({5, 5}, "####0.####", 0.1), 11);
  EXPECT_LT(s.minimum, 5);
  EXPECT_GT(s.maximum, 5);
  s = ChooseValueAxis(Values({0}, "####0.####", 0.1), 11);
  EXPECT_LT(s.minimum, 0);
  EXPECT_GT(s.maximum, 0);
  s = ChooseValueAxis(Values({std::nullopt}, "####0.####", 0.1), 11);
  EXPECT_LT(s.minimum, s.maximum);
  s = ChooseValueAxis(Values({-1e25, 1e25}, "0.####", 0.0001), 11);
  EXPECT_LE(s.minimum, -1e25);
  EXPECT_GE(s.maximum, 1e25);
}

TEST(ChartAxis, TimeLabelsAreSpacedByWholeIncrements) {
  // 600 pixels for 200 points: 30 pixels per ten points.
  EXPECT_EQ(TimeLabelStep(600, 200, 25), 10);
  EXPECT_EQ(TimeLabelStep(600, 200, 55), 20);
  EXPECT_EQ(TimeLabelStep(600, 500, 55), 50);
  EXPECT_EQ(TimeLabelStep(0, 200, 55), 200);
}

}  // namespace
