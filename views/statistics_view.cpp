#include "views/statistics_view.h"

#include <cstdio>

namespace lcr {

namespace {

std::string HistogramEnd(double v, const std::string& unit) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.6g", v);
  return unit.empty() ? std::string(buf) : buf + (" " + unit);
}

}  // namespace

std::string LimitsNote(const FunctionLimits& set, std::string_view shown) {
  if (!set.limits.Any()) return {};
  if (set.function.empty()) return "The limits apply to the function measured first.";
  if (!shown.empty() && !set.AppliesTo(shown))
    return "The limits are for " + set.function + "; they do not apply to " + std::string(shown) + " shown now.";
  return {};
}

const StatisticsShown& StatisticsView::Update(const MeasurementTable& table, std::string_view shown,
                                              const FunctionLimits& set) {
  const Limits limits = set.For(shown);
  const BatchStats& s = tracker_.Update(table, shown, limits);
  shown_.function = std::string(shown);
  shown_.note = LimitsNote(set, shown);
  shown_.figures = StatsText(s, limits);
  if (histogramFor_ != tracker_.revision()) {
    histogramFor_ = tracker_.revision();
    shown_.histogram = Histogram(table, s, kHistogramBins);
    shown_.histogramLow = s.count ? HistogramEnd(s.min, s.unit) : std::string();
    shown_.histogramHigh = s.count ? HistogramEnd(s.max, s.unit) : std::string();
    ++shown_.histogramRevision;
  }
  return shown_;
}

}  // namespace lcr
