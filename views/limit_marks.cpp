#include "views/limit_marks.h"

#include "common/text_and_numbers.h"
#include "table/base_value.h"
#include "table/caption_unit.h"
#include "table/record_text.h"

namespace lcr {

std::optional<FunctionLimits> MakeFunctionLimits(std::string_view function, const LimitTexts& texts,
                                                 std::string* error) {
  const auto limits = ParseLimits(texts.nominal, texts.tolerance, texts.low, texts.high, error);
  if (!limits) return std::nullopt;
  if (!limits->Any()) return FunctionLimits{};
  return FunctionLimits{std::string(function), texts, *limits};
}

std::string FunctionShown(const ChartModel& chart, const MeasurementTable& table) {
  long long row = table.RecordCount;
  if (!chart.points.empty()) row = static_cast<long long>(chart.ChartFirstRow) + (long long)(chart.points.size()) - 1;
  if (row < 1 || row > table.RecordCount) return {};
  return FunctionKey(RowAt(table, row).MainCaption.View());
}

void BindPendingLimits(FunctionLimits& limits, const ChartModel& chart, const MeasurementTable& table) {
  if (!limits.limits.Any() || !limits.function.empty()) return;
  limits.function = FunctionShown(chart, table);
}

bool OutOfLimits(const FunctionLimits& limits, const MeasurementRecord& rec) {
  if (!limits.limits.Any() || limits.function.empty()) return false;
  const std::string_view caption = rec.MainCaption.View();
  if (!InFunction(caption, limits.function)) return false;
  const auto v = BaseValue(rec.MainValue.View(), caption);
  return v && !WithinLimits(limits.limits, *v);
}

std::vector<double> ChartLimitValues(const ChartModel& chart, const MeasurementTable& table,
                                     const FunctionLimits& limits) {
  if (!limits.limits.Any() || limits.function.empty() || chart.points.empty()) return {};
  // Scrolled back, the chart may end on a row of another function with more
  // of them before it: every point must be of the limits' function.
  const std::string_view first = RowAt(table, chart.ChartFirstRow).MainCaption.View();
  std::string_view seen;
  for (std::int32_t r = chart.ChartFirstRow, end = r + std::int32_t(chart.points.size()); r < end; ++r) {
    const std::string_view caption = RowAt(table, r).MainCaption.View();
    if (r > chart.ChartFirstRow && caption == seen) continue;
    if (!InFunction(caption, limits.function)) return {};
    seen = caption;
  }
  // The chart plots its first point's number as it reads: the axis is in
  // that caption's unit, 10^e base units.
  const int e = CaptionExponent(first);
  const auto onAxis = [&](double base) { return ScaleByPow10(base, -e); };
  std::vector<double> values;
  if (limits.limits.low) values.push_back(onAxis(*limits.limits.low));
  if (limits.limits.high) values.push_back(onAxis(*limits.limits.high));
  return values;
}

std::vector<double> LinesWithin(const std::vector<double>& values, double minimum, double maximum) {
  std::vector<double> within;
  for (double v : values)
    if (v >= minimum && v <= maximum) within.push_back(v);
  return within;
}

}  // namespace lcr
