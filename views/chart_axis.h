#pragma once
// Turning the chart model's axis settings into a readable scale: the value
// axis's range, label step and decimals, and the spacing of the time labels.

#include <string_view>

#include "views/chart_model.h"

namespace lcr {

// Decimals a picture format shows at most: "####0.####" 4, "#####" 0.
int FormatDecimals(std::string_view format);

struct AxisScale {
  double minimum = 0;
  double maximum = 1;
  double step = 0.1;
  int decimals = 1;
};

// The value axis for the plotted points: a step of 1, 2 or 5 times a power
// of ten, no finer than the increment and the format's last decimal, with
// at most `maxLabels` labels over the range. The increment is a lower bound
// only while it is smaller than the values' span; a larger one (a range
// mode text before the range digits gives 10 and more) would leave the axis
// without labels, so the span decides then.
AxisScale ChooseValueAxis(const ChartModel& chart, int maxLabels);

// Points between two time labels: a multiple of `increment` at least as
// wide as one label.
int TimeLabelStep(double plotWidthPx, int pointsPerPage, double labelWidthPx, int increment = 10);

}  // namespace lcr
