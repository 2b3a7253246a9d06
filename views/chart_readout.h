#pragma once
// The read-out that follows the mouse over the chart: a thin vertical line
// and a box with the time, value and unit of the point under the mouse.

#include <optional>
#include <string>

#include "views/chart_model.h"
#include "table/measurement_table.h"

namespace lcr {

struct ReadoutInput {
  int x = 0, y = 0;           // mouse, in chart pixels
  int width = 0, height = 0;  // the chart's size in pixels
  double axisValueAtX2 = 0;   // the bottom axis's value at screen position x + 2
};

struct Readout {
  enum class Visibility { Unchanged, Hidden, Shown };
  Visibility visibility = Visibility::Unchanged;
  bool placed = false;            // boxTop and lineLeft were set
  std::optional<int> boxLeft;     // unset: the box keeps its left edge
  int boxTop = 0;
  int lineLeft = 0;
  std::optional<std::string> text;  // GBK; unset: the box keeps its text
  std::optional<long long> row;     // the table row the text tells of (unset for the blank past the last point)
};

Readout Chart1MouseMove(const ReadoutInput& in, const ChartModel& chart, const MeasurementTable& table);

// Whether a shown read-out still tells of a point the chart holds, after the
// chart was rebuilt: the chart has points and, when the box names a row, that
// row is still plotted and would read the same. Reset and Open take the point
// away; the box must not stay over a chart that no longer holds it.
bool ReadoutStillHolds(const std::optional<long long>& row, const std::string& text, const ChartModel& chart,
                       const MeasurementTable& table);

}  // namespace lcr
