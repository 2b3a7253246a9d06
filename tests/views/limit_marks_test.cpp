// Limits bound to a function: which rows they mark, where their lines fall
// on the chart, and limits set before any record.
#include <gtest/gtest.h>

#include "views/limit_marks.h"

using namespace lcr;

namespace {

MeasurementRecord Rec(const char* value, const char* caption) {
  MeasurementRecord r;
  r.MainValue.Assign(value);
  r.MainCaption.Assign(caption);
  r.TimeText.Assign("10:00:00");
  return r;
}

const char* const kKOhm = "OHM 2.000 K\xA6\xB8";
const char* const kOhm = "OHM 2000 \xA6\xB8";

FunctionLimits Set(const char* function, LimitTexts texts) {
  std::string error;
  const auto limits = MakeFunctionLimits(function, texts, &error);
  EXPECT_TRUE(limits) << error;
  return limits.value_or(FunctionLimits{});
}

// A row exactly on a limit passes, in any range; one step beyond is marked;
// words and rows of another function never are.
TEST(LimitMarks, TheEdgesPassAndOtherFunctionsAreNeverMarked) {
  const FunctionLimits ohm = Set("OHM", {"1k", "1%", "", ""});  // 990 .. 1010 ohms
  const struct {
    const char* value;
    const char* caption;
    bool marked;
  } rows[] = {
      {"1.010", kKOhm, false}, {"990.0", kOhm, false},  {"1.000", kKOhm, false},
      {"1.011", kKOhm, true},  {"989.9", kOhm, true},   {"0.0010", "OHM 2.000 M\xA6\xB8", false},
      {"OL", kKOhm, false},    {"----", kKOhm, false},  {"5.000", "CAP 20.00 nF", false},
      {"1.011", "DCV 2.000 V", false},
  };
  for (const auto& r : rows) EXPECT_EQ(OutOfLimits(ohm, Rec(r.value, r.caption)), r.marked) << r.value << " " << r.caption;

  const FunctionLimits highOnly = Set("OHM", {"", "", "", "1.0k"});
  EXPECT_FALSE(OutOfLimits(highOnly, Rec("1.000", kKOhm)));
  EXPECT_TRUE(OutOfLimits(highOnly, Rec("1.001", kKOhm)));
  EXPECT_FALSE(OutOfLimits(FunctionLimits{}, Rec("99.99", kKOhm)));
  // Limits set with nothing shown mark nothing until they have a function.
  EXPECT_FALSE(OutOfLimits(Set("", {"", "", "", "1"}), Rec("5.000", kKOhm)));
  EXPECT_EQ(Set("OHM", {"", " ", "", ""}), FunctionLimits{});  // empty texts clear
}

TEST(LimitMarks, ChartLinesInTheAxisUnitOfTheFunctionShown) {
  MeasurementTable table;
  ReplaceRecords(table, {Rec("5.000", "CAP 20.00 nF"), Rec("1.000", kKOhm), Rec("1.005", kKOhm), Rec("999.0", kOhm)});
  ChartModel chart;
  UpdateChart(chart, table, ChartWindow{4, 200, true, "."});
  ASSERT_EQ(chart.ChartFirstRow, 2);  // the ohm rows only, the axis in kilo-ohms
  const FunctionLimits ohm = Set("OHM", {"", "", "990", "1.01k"});
  const std::vector<double> lines = ChartLimitValues(chart, table, ohm);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_DOUBLE_EQ(lines[0], 0.99);
  EXPECT_DOUBLE_EQ(lines[1], 1.01);
  EXPECT_EQ(LinesWithin(lines, 0.995, 2.0), std::vector<double>{1.01});
  EXPECT_EQ(LinesWithin(lines, 0.99, 1.01), lines);  // a line on the axis' end is drawn
  EXPECT_TRUE(ChartLimitValues(chart, table, Set("CAP", {"", "", "1n", "10n"})).empty());
  // Scrolled back, the window may begin and end with ohms and hold another
  // function between: no lines then.
  MeasurementTable mixed;
  ReplaceRecords(mixed, {Rec("1.000", kKOhm), Rec("5.000", "CAP 20.00 nF"), Rec("1.001", kKOhm),
                         Rec("1.000", "DCV 2.000 V"), Rec("1.000", "DCV 2.000 V")});
  ChartModel back;
  UpdateChart(back, mixed, ChartWindow{5, 200, false, "."});
  ASSERT_EQ(back.points.size(), 3u);
  EXPECT_TRUE(ChartLimitValues(back, mixed, ohm).empty());

  // Pending limits take the function shown, and only then draw.
  FunctionLimits pending = Set("", {"", "", "990", ""});
  EXPECT_TRUE(ChartLimitValues(chart, table, pending).empty());
  BindPendingLimits(pending, chart, table);
  EXPECT_EQ(pending.function, "OHM");
  EXPECT_EQ(ChartLimitValues(chart, table, pending), std::vector<double>{0.99});
  BindPendingLimits(pending, chart, table);  // bound limits stay where they are
  ChartModel capChart;
  UpdateChart(capChart, table, ChartWindow{1, 200, true, "."});
  BindPendingLimits(pending, capChart, table);
  EXPECT_EQ(pending.function, "OHM");
}

}  // namespace
