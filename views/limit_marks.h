#pragma once
// Limits bound to the function they were set for, and what they mark: the
// grid's rows out of limits and the limit lines on the chart. Rows of any
// other function are never marked, so a resistor's limits say nothing about
// a capacitor measured in between; back on the resistors they apply again.

#include <string>
#include <string_view>
#include <vector>

#include "table/measurement_table.h"
#include "views/batch_stats.h"
#include "views/chart_model.h"

namespace lcr {

// What the user typed (kept as typed, to be shown and kept again) and what
// it means.
struct LimitTexts {
  std::string nominal, tolerance, low, high;
  bool operator==(const LimitTexts&) const = default;
};

struct FunctionLimits {
  // FunctionKey the limits were set for; "" while none was shown (pending:
  // BindPendingLimits gives them the first function the chart shows).
  std::string function;
  LimitTexts texts;
  Limits limits;

  bool AppliesTo(std::string_view function) const { return limits.Any() && function == this->function; }
  // The limits for `function`'s records: none for another function.
  Limits For(std::string_view function) const { return AppliesTo(function) ? limits : Limits{}; }
  bool operator==(const FunctionLimits&) const = default;
};

// Limits for `function` from what the user typed; all texts empty clear
// them. None, with the reason, for texts ParseLimits refuses.
std::optional<FunctionLimits> MakeFunctionLimits(std::string_view function, const LimitTexts& texts,
                                                 std::string* error);

// The function the chart shows: that of its last point, or of the newest
// record before the chart has any; "" for an empty table.
std::string FunctionShown(const ChartModel& chart, const MeasurementTable& table);

// Pending limits (set before any record) take the function the chart shows
// once it shows one.
void BindPendingLimits(FunctionLimits& limits, const ChartModel& chart, const MeasurementTable& table);

// A record to be marked: a number of the limits' function outside them.
// Value words (OL, ----) are counted apart, never as a fail, and not marked.
bool OutOfLimits(const FunctionLimits& limits, const MeasurementRecord& rec);

// The low and high limits in the chart's left-axis units (those of the
// caption of its first point), when the chart shows the limits' function
// alone; empty otherwise.
std::vector<double> ChartLimitValues(const ChartModel& chart, const MeasurementTable& table,
                                     const FunctionLimits& limits);

// The values that lie within [minimum, maximum]: the lines to draw.
std::vector<double> LinesWithin(const std::vector<double>& values, double minimum, double maximum);

}  // namespace lcr
