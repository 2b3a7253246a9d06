#pragma once
// The chart of the primary value and the statistics beside it, decided
// from the measurement table without widgets.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "table/measurement_table.h"

namespace lcr {

// Scale code of a prefix character: p 0, n 3, u 6, m 9, blank 12, K 15, M 18;
// any other character 0. A difference d of codes is a factor 10^d.
int PrefixCode(char prefix);

// The prefix code of a caption: the first prefix character among the
// characters n-1, n-2, n-3, n-4 (1-based, n the length); 0 when none is.
// Positions before the start of a short caption are not looked at.
int CaptionPrefixCode(std::string_view caption);

// One plotted point: a value, or nullopt for a gap, and its time label (GBK).
struct ChartPoint {
  std::optional<double> value;
  std::string label;
};

inline constexpr const char* kInitialValueFormat = "####0.####";
inline constexpr double kInitialIncrement = 0.1;

struct ChartModel {
  std::int32_t ChartFirstRow = 0;
  std::vector<ChartPoint> points;  // x = index
  // The statistics texts (GBK).
  std::string Max_Num, Max_Tim, Min_Num, Min_Tim;
  // The left axis: a picture format ("#" optional digit, "0" digit) and the increment.
  std::string valueFormat = kInitialValueFormat;
  double increment = kInitialIncrement;
  // Bumped by every change, so whoever shows the chart redraws only then.
  std::uint64_t revision = 0;
};

// What UpdateChart needs besides the table.
struct ChartWindow {
  std::int32_t lastRow = 0;
  int pointsPerPage = 200;
  bool followsNewest = true;  // ScrollBar1's position equals its maximum
  std::string_view decimalMark = ".";
};

// Rebuilds the points, statistics and left axis for the window ending at
// w.lastRow. Rows are only read from 1 to the table's RecordCount.
void UpdateChart(ChartModel& chart, const MeasurementTable& table, const ChartWindow& w);

// The plot value rules for one row: returns the new y, or `previous` when
// no rule applies. `value` is the trimmed MainValue; the result is kept to
// four decimal places.
double PlotValue(std::string_view value, std::string_view mainCaption, int rowCode, int refCode,
                 std::string_view decimalMark, double previous);

// Empties the chart and the statistics (Reset).
void ClearChart(ChartModel& chart);

}  // namespace lcr
