#pragma once
// What the Statistics window shows, decided without widgets: the figures
// of the function the chart shows, a note on whose limits are set, and a
// histogram drawn again whenever the figures were counted again (a batch
// opened in place of another of the same size is another histogram).

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "views/batch_stats.h"
#include "views/limit_marks.h"

namespace lcr {

// Why limits set do not judge the function shown: pending ones wait for a
// function, others are for another one. "" when they apply or none are set.
// GBK, as the function names are.
std::string LimitsNote(const FunctionLimits& set, std::string_view shown);

struct StatisticsShown {
  std::string function;  // FunctionKey shown
  std::string note;      // LimitsNote
  std::string figures;   // StatsText, GBK
  std::vector<long long> histogram;
  std::string histogramLow, histogramHigh;  // its ends with the unit ("" without values), GBK
  std::uint64_t histogramRevision = 0;      // changes whenever the histogram does
};

class StatisticsView {
 public:
  static constexpr int kHistogramBins = 20;

  // Reads what is new in the table; the histogram is counted again only
  // when the figures were.
  const StatisticsShown& Update(const MeasurementTable& table, std::string_view shown, const FunctionLimits& set);
  const StatisticsShown& shown() const { return shown_; }
  const BatchStats& stats() const { return tracker_.stats(); }

 private:
  BatchStatsTracker tracker_;
  StatisticsShown shown_;
  std::uint64_t histogramFor_ = 0;  // the tracker's revision the histogram was counted at
};

}  // namespace lcr
