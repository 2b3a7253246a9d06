// The chart of the primary value: the window of rows, the function cut, the
// plot value rules, the statistics and the left axis format.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "common/text_and_numbers.h"
#include "views/chart_model.h"

using namespace lcr;

namespace {

const std::string kOhm = "\xA6\xB8";
// Family 730 captions: label, range, a blank, prefix and unit.
const std::string kNanoFarad = "CAP20.000 nF";
const std::string kMicroFarad = "CAP2.0000 uF";
// Family 68: the range mode text sits between label and range.
const std::string kAutoNanoFarad = "CAP AUTO 20.000 nF";

MeasurementRecord Rec(const std::string& value, const std::string& caption, const std::string& time = "") {
  MeasurementRecord r;
  r.MainValue.Assign(value);
  r.MainCaption.Assign(caption);
  r.TimeText.Assign(time);
  return r;
}

std::string Clock(int second) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "00:%02d:%02d", second / 60 % 60, second % 60);
  return buf;
}

struct ChartTest : ::testing::Test {
  MeasurementTable table;
  std::vector<MeasurementRecord> records;
  ChartModel chart;

  void Add(const std::string& value, const std::string& caption) {
    records.push_back(Rec(value, caption, Clock(int(records.size()) + 1)));
  }
  void AddMany(int n, const std::string& caption) {
    for (int i = 0; i < n; ++i) Add(std::to_string(int(records.size()) + 1), caption);
  }
  void Update(std::int32_t last, bool follows = true, int points = 200, std::string_view mark = ".") {
    ReplaceRecords(table, records);
    ChartWindow w;
    w.lastRow = last;
    w.pointsPerPage = points;
    w.followsNewest = follows;
    w.decimalMark = mark;
    UpdateChart(chart, table, w);
  }
  std::optional<double> Point(std::size_t j) const { return chart.points.at(j).value; }
};

TEST(PrefixScan, FindsThePrefixBeforeTheUnit) {
  EXPECT_EQ(CaptionPrefixCode(kNanoFarad), 3);
  EXPECT_EQ(CaptionPrefixCode(kMicroFarad), 6);
  EXPECT_EQ(CaptionPrefixCode("DCV200.0 mV"), 9);
  EXPECT_EQ(CaptionPrefixCode("OHM 20000  " + kOhm), 12);   // blank prefix, two-byte unit
  EXPECT_EQ(CaptionPrefixCode("OHM20.00 K" + kOhm), 15);    // the unit pushes the prefix left
  EXPECT_EQ(CaptionPrefixCode("OHM2.000 M" + kOhm), 18);
  EXPECT_EQ(CaptionPrefixCode("CAP2000.0pF"), 0);
  EXPECT_EQ(CaptionPrefixCode("HFE1000abcd"), 0);            // none of the four is a prefix
  EXPECT_EQ(PrefixCode('x'), 0);
}

TEST(PrefixScan, ShortCaptionsLookOnlyAtWhatTheyHave) {
  EXPECT_EQ(CaptionPrefixCode(""), 0);
  EXPECT_EQ(CaptionPrefixCode("n"), 0);
  EXPECT_EQ(CaptionPrefixCode("nF"), 3);
  EXPECT_EQ(CaptionPrefixCode("KxyzF"), 15);  // position n-4 is the first character
  EXPECT_EQ(CaptionPrefixCode("Kxyzw"), 15);
  EXPECT_EQ(CaptionPrefixCode("Kxyzwv"), 0);  // now out of reach
}

TEST(PlotRules, NumbersScaleToTheFirstRowsPrefix) {
  EXPECT_DOUBLE_EQ(PlotValue("1.5", kMicroFarad, 6, 3, ".", 0), 1500);
  EXPECT_DOUBLE_EQ(PlotValue("1500", kNanoFarad, 3, 6, ".", 0), 1.5);
  EXPECT_DOUBLE_EQ(PlotValue("-1.2345", kNanoFarad, 3, 3, ".", 0), -1.2345);
  EXPECT_DOUBLE_EQ(PlotValue("1.23456", kNanoFarad, 3, 3, ".", 0), 1.2346);  // kept to 0.0001
  EXPECT_DOUBLE_EQ(PlotValue("0.00004", kNanoFarad, 3, 3, ".", 7), 0);
}

TEST(PlotRules, TheDecimalMarkDecidesWhatIsANumber) {
  EXPECT_DOUBLE_EQ(PlotValue("1,5", "CAP20,000 nF", 3, 3, ",", 0), 1.5);
  EXPECT_DOUBLE_EQ(PlotValue("1.5", "CAP20,000 nF", 3, 3, ",", 9), 9);  // not a number: kept
  EXPECT_DOUBLE_EQ(PlotValue("1,5", kNanoFarad, 3, 3, ".", 9), 9);
  EXPECT_EQ(ParseLocaleNumber("+2.5", "."), 2.5);
  EXPECT_EQ(ParseLocaleNumber(".5", "."), 0.5);
  EXPECT_EQ(ParseLocaleNumber("1E3", "."), 1000);
  for (const char* bad : {"", "-", ".", "1.2.3", "1e", "1 2", "UL", "Space", "9e9999", "inf", "nan"})
    EXPECT_FALSE(ParseLocaleNumber(bad, ".")) << bad;
}

TEST(PlotRules, WordsAndOverloads) {
  // "----" plots 0.
  EXPECT_DOUBLE_EQ(PlotValue("----", kNanoFarad, 3, 3, ".", 5), 0);
  // Overloads plot the full-scale number of the caption, negative with a sign.
  EXPECT_DOUBLE_EQ(PlotValue("OL", kNanoFarad, 3, 3, ".", 5), 20);
  EXPECT_DOUBLE_EQ(PlotValue("-OL", kNanoFarad, 3, 3, ".", 5), -20);
  EXPECT_DOUBLE_EQ(PlotValue("UL", kNanoFarad, 3, 3, ".", 5), 20);
  EXPECT_DOUBLE_EQ(PlotValue("-UL", kNanoFarad, 3, 3, ".", 5), -20);
  EXPECT_DOUBLE_EQ(PlotValue("HI", kNanoFarad, 3, 3, ".", 5), 20);
  EXPECT_DOUBLE_EQ(PlotValue("Pass", "BEEP20.0 " + kOhm, 12, 12, ".", 5), 20);
  EXPECT_DOUBLE_EQ(PlotValue("Open", kAutoNanoFarad, 3, 3, ".", 5), 20);
  // The full-scale number is divided by the prefix factor.
  EXPECT_DOUBLE_EQ(PlotValue("OL", kMicroFarad, 6, 3, ".", 5), 0.002);
  // Lows and failures plot 0.
  for (const char* v : {"LO", "-LO", "Fail", "Short"}) EXPECT_DOUBLE_EQ(PlotValue(v, kNanoFarad, 3, 3, ".", 5), 0) << v;
  // Texts no rule knows keep the previous value.
  for (const char* v : {"Err", "", "Space", "abc"}) EXPECT_DOUBLE_EQ(PlotValue(v, kNanoFarad, 3, 3, ".", 5), 5) << v;
}

TEST(PlotRules, FullScaleTakesTheFirstRunOfDigitsAndPoints) {
  EXPECT_DOUBLE_EQ(PlotValue("OL", "DCV AUTO 200.0 mV", 9, 9, ".", 0), 200);
  // With "," as the mark the run ends at the mark.
  EXPECT_DOUBLE_EQ(PlotValue("OL", "CAP2,2000 uF", 6, 6, ",", 0), 2);
  // A run with two points reads as far as it is a number.
  EXPECT_DOUBLE_EQ(PlotValue("OL", "CAP1.2.3 nF", 3, 3, ".", 0), 1.2);
  // No digit at all: the row keeps the previous value.
  EXPECT_DOUBLE_EQ(PlotValue("OL", "TMP", 0, 0, ".", 4), 4);
  EXPECT_DOUBLE_EQ(PlotValue("-OL", "", 0, 0, ".", 4), 4);
}

TEST_F(ChartTest, FewerRecordsThanAPageShowThemAll) {
  AddMany(150, kNanoFarad);
  Update(150);
  EXPECT_EQ(chart.ChartFirstRow, 1);
  ASSERT_EQ(chart.points.size(), 150u);
  EXPECT_EQ(Point(0), 1);
  EXPECT_EQ(chart.points[0].label, "00:00:01");
  EXPECT_EQ(Point(149), 150);
}

TEST_F(ChartTest, FollowingTheNewestRecordShowsTheLastPagePlusOne) {
  AddMany(350, kNanoFarad);
  Update(350);
  EXPECT_EQ(chart.ChartFirstRow, 150);
  ASSERT_EQ(chart.points.size(), 201u);
  EXPECT_EQ(Point(0), 150);
  EXPECT_EQ(Point(200), 350);
  Update(350, true, 50);
  EXPECT_EQ(chart.ChartFirstRow, 300);
  EXPECT_EQ(chart.points.size(), 51u);
}

TEST_F(ChartTest, FunctionCutFollowingAndScrolledBack) {
  AddMany(300, kNanoFarad);
  AddMany(100, "OHM20.00 K" + kOhm);
  Update(400, true);
  EXPECT_EQ(chart.ChartFirstRow, 301);
  EXPECT_EQ(chart.points.size(), 100u);
  EXPECT_EQ(Point(0), 301);

  Update(350, false);
  EXPECT_EQ(chart.ChartFirstRow, 150);
  ASSERT_EQ(chart.points.size(), 151u);  // rows 150 to 300
  EXPECT_EQ(Point(150), 300);
}

TEST_F(ChartTest, TemperatureRowsCutOnAnyCaptionChange) {
  const std::string celsius = "TMP1000 \xA1\xE6", fahrenheit = "TMP1000 \xA8\x48";
  AddMany(5, celsius);
  AddMany(5, fahrenheit);
  Update(10);
  EXPECT_EQ(chart.ChartFirstRow, 6);
  EXPECT_EQ(chart.points.size(), 5u);
  // Other functions do not cut on a range change.
  records.clear();
  AddMany(5, kNanoFarad);
  AddMany(5, kMicroFarad);
  Update(10);
  EXPECT_EQ(chart.ChartFirstRow, 1);
}

TEST_F(ChartTest, LaterRowsScaleToTheFirstRowsPrefix) {
  Add("1.000", kNanoFarad);
  Add("1.5", kMicroFarad);
  Add("1.5", kNanoFarad);
  Update(3);
  EXPECT_EQ(Point(0), 1);
  EXPECT_EQ(Point(1), 1500);
  EXPECT_EQ(Point(2), 1.5);
  // The row with the largest prefix sets the axis format.
  EXPECT_EQ(chart.valueFormat, "0.####");
  EXPECT_DOUBLE_EQ(chart.increment, 0.0001);
}

TEST_F(ChartTest, GapsForErrAndEmptyAndStatisticsRepeatTheValue) {
  Add("5", kNanoFarad);
  Add("Err", kNanoFarad);
  Add("", kNanoFarad);
  Add("Space", kNanoFarad);
  Add("2", kNanoFarad);
  Update(5);
  ASSERT_EQ(chart.points.size(), 5u);
  EXPECT_EQ(Point(0), 5);
  EXPECT_FALSE(Point(1));
  EXPECT_FALSE(Point(2));
  EXPECT_EQ(Point(3), 5);  // "Space" is plotted with the value kept
  EXPECT_EQ(chart.points[1].label, "00:00:02");
  // The gaps count with the kept 5; ties go to the later row.
  EXPECT_EQ(chart.Max_Num, "Space ");
  EXPECT_EQ(chart.Max_Tim, "00:00:04");
  EXPECT_EQ(chart.Min_Num, "2 ");
  EXPECT_EQ(chart.Min_Tim, "00:00:05");
}

TEST_F(ChartTest, EqualExtremesGoToTheLaterRow) {
  for (const char* v : {"1", "3", "0", "2", "7", "4", "0", "5", "7", "6"}) Add(v, kAutoNanoFarad);
  Update(10);
  EXPECT_EQ(chart.Max_Num, "7  nF");  // characters 16-19: the blank, prefix and unit
  EXPECT_EQ(chart.Max_Tim, "00:00:09");
  EXPECT_EQ(chart.Min_Num, "0  nF");
  EXPECT_EQ(chart.Min_Tim, "00:00:07");
}

TEST_F(ChartTest, OneRowIsBothExtremes) {
  Add("-1.25", kNanoFarad);
  Update(1);
  EXPECT_EQ(chart.Max_Num, "-1.25 ");  // a 730 caption has nothing at 16-19
  EXPECT_EQ(chart.Min_Num, "-1.25 ");
  EXPECT_EQ(chart.Max_Tim, "00:00:01");
  EXPECT_EQ(chart.Min_Tim, "00:00:01");
}

TEST_F(ChartTest, LeftAxisFormatFromTheRangeDigits) {
  struct Case {
    std::string caption, mark, format;
    double increment;
  };
  const Case cases[] = {
      {kNanoFarad, ".", "#0.###", 0.001},       {"CAP20000 nF", ".", "#####", 1},
      {"CAP2.0000 uF", ".", "0.####", 0.0001},  {"CAP200.00 nF", ".", "##0.##", 0.01},
      {"CAP2000.0 nF", ".", "###0.#", 0.1},     {"CAP20,000 nF", ",", "#0.###", 0.001},
      {"CAP20.000 nF", ",", "#####", 1},        {"AB", ".", "#####", 1},
  };
  for (const Case& k : cases) {
    records.clear();
    Add("1", k.caption);
    Update(1, true, 200, k.mark);
    EXPECT_EQ(chart.valueFormat, k.format) << k.caption;
    EXPECT_DOUBLE_EQ(chart.increment, k.increment) << k.caption;
  }
}

TEST_F(ChartTest, RangeModeTextKeepsTheFormatAndRaisesTheIncrement) {
  Add("1", "CAP200.00 nF");
  Update(1);
  ASSERT_EQ(chart.valueFormat, "##0.##");
  records.clear();
  Add("1", kAutoNanoFarad);  // the mark is at position 9 of " AUTO 20.000"
  Update(1);
  EXPECT_EQ(chart.valueFormat, "##0.##");
  EXPECT_DOUBLE_EQ(chart.increment, 1000);
}

TEST_F(ChartTest, OddRowsNeverStopTheChart) {
  Add("OL", "TMP");      // no digits, short caption
  Add("3", "");          // empty caption
  Add("-OL", "ABCD");
  Add("4", "A");
  Update(4);
  ASSERT_EQ(chart.points.size(), 1u);  // only the last function label "A"
  records.clear();
  Add("OL", "X");
  Add("3", "X");
  Add("-OL", "X");
  Update(3);
  ASSERT_EQ(chart.points.size(), 3u);
  EXPECT_EQ(Point(0), 0);
  EXPECT_EQ(Point(1), 3);
  EXPECT_EQ(Point(2), 3);
}

TEST_F(ChartTest, RowsOutsideTheTableAreNotRead) {
  Update(0);
  EXPECT_TRUE(chart.points.empty());
  EXPECT_EQ(chart.ChartFirstRow, 1);
  EXPECT_EQ(chart.Max_Num, "");
  AddMany(3, kNanoFarad);
  Update(500);  // past RecordCount: the window ends at the last record
  EXPECT_EQ(chart.points.size(), 3u);
  Update(-7);
  EXPECT_TRUE(chart.points.empty());
  MeasurementTable none;  // nothing allocated at all
  UpdateChart(chart, none, ChartWindow{5, 200, true, "."});
  EXPECT_TRUE(chart.points.empty());
}

TEST_F(ChartTest, EveryRebuildIsANewRevision) {
  AddMany(2, kNanoFarad);
  Update(2);
  const auto r = chart.revision;
  Update(2);
  EXPECT_GT(chart.revision, r);
  ClearChart(chart);
  EXPECT_TRUE(chart.points.empty());
  EXPECT_EQ(chart.Max_Num + chart.Max_Tim + chart.Min_Num + chart.Min_Tim, "");
}

}  // namespace
