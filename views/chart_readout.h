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
};

Readout Chart1MouseMove(const ReadoutInput& in, const ChartModel& chart, const MeasurementTable& table);

}  // namespace lcr
