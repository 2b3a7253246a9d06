#include "views/chart_axis.h"

#include <algorithm>
#include <cmath>

namespace lcr {

int FormatDecimals(std::string_view format) {
  const std::size_t mark = format.find('.');
  return mark == std::string_view::npos ? 0 : int(format.size() - mark - 1);
}

namespace {

constexpr double kSlack = 1e-9;  // keeps 0.3 / 0.1 from flooring to 2

double Floor(double v, double step) { return std::floor(v / step + kSlack) * step; }
double Ceil(double v, double step) { return std::ceil(v / step - kSlack) * step; }

int DecimalsOf(double step) { return std::max(0, int(std::ceil(-std::log10(step) - kSlack))); }

}  // namespace

AxisScale ChooseValueAxis(const ChartModel& chart, int maxLabels) {
  bool any = false;
  double lo = 0, hi = 0;
  for (const ChartPoint& p : chart.points) {
    if (!p.value) continue;
    lo = any ? std::min(lo, *p.value) : *p.value;
    hi = any ? std::max(hi, *p.value) : *p.value;
    any = true;
  }
  if (!any) hi = 1;
  if (hi - lo <= 0) {
    const double pad = hi != 0 ? std::abs(hi) * 0.1 : 1;
    lo -= pad;
    hi += pad;
  }
  const double span = hi - lo;
  const int formatDecimals = FormatDecimals(chart.valueFormat);
  double minStep = std::pow(10.0, -formatDecimals);
  if (chart.increment > 0 && chart.increment <= span) minStep = std::max(minStep, chart.increment);

  maxLabels = std::max(maxLabels, 2);
  double base = std::pow(10.0, std::floor(std::log10(minStep) + kSlack));
  double step = 0;
  for (int i = 0; i < 1000 && step == 0; ++i, base *= 10) {
    for (double m : {1.0, 2.0, 5.0}) {
      const double s = base * m;
      if (s < minStep * (1 - kSlack)) continue;
      if ((Ceil(hi, s) - Floor(lo, s)) / s <= maxLabels - 1 + kSlack) {
        step = s;
        break;
      }
    }
  }
  if (step == 0) step = base;
  AxisScale scale;
  scale.step = step;
  // Never cut the values off, whatever the rounding of the last digit.
  scale.minimum = std::min(Floor(lo, step), lo);
  scale.maximum = std::max(Ceil(hi, step), hi);
  if (scale.maximum <= scale.minimum) scale.maximum = scale.minimum + step;
  scale.decimals = std::min(DecimalsOf(step), formatDecimals);
  return scale;
}

int TimeLabelStep(double plotWidthPx, int pointsPerPage, double labelWidthPx, int increment) {
  increment = std::max(increment, 1);
  if (plotWidthPx <= 0 || pointsPerPage <= 0) return increment * std::max(pointsPerPage / increment, 1);
  const double perIncrement = plotWidthPx / pointsPerPage * increment;
  const int multiple = std::max(1, int(std::ceil(labelWidthPx / perIncrement)));
  return increment * multiple;
}

}  // namespace lcr
