#pragma once
// Batch statistics of one function's records: count, mean, spread, extremes
// and, against optional limits, pass, fail and yield. Values count in base
// units (a KΩ and an MΩ reading compare as ohms); value words (OL, ----,
// Pass ...) are counted apart and never as numbers.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "table/base_value.h"
#include "table/measurement_table.h"

namespace lcr {

// Inclusive limits in base units; either may be absent.
struct Limits {
  std::optional<double> low, high;
  bool Any() const { return low || high; }
  bool operator==(const Limits&) const = default;
};

// nominal ± tolerance, the tolerance in percent of the nominal or in units.
Limits ToleranceLimits(double nominal, double tolerance, bool percent);

// A limit as a user types it, in base units: a number, optionally followed
// by a prefix letter (p n u m k K M G): "4.7k" is 4700.
std::optional<double> ParseLimitValue(std::string_view text);

// Limits from what the user gave (empty texts: not given): a nominal with a
// tolerance ("5%" in percent, "0.2" in units), or a low and/or a high. None,
// with the reason, for a text that is no number, a nominal without a
// tolerance or the other way round, both kinds at once, or low above high.
std::optional<Limits> ParseLimits(std::string_view nominal, std::string_view tolerance, std::string_view low,
                                  std::string_view high, std::string* error);

// Whether v lies within the limits. The edges pass, also when the limit was
// computed with a rounding step in the last place (1000 ± 1 % is 990..1010).
bool WithinLimits(const Limits& limits, double v);

// The function a record belongs to: the caption's label, and for TMP the
// whole caption (another unit or range is another function), as the chart
// cuts its window.
std::string FunctionKey(std::string_view mainCaption);

// Whether a record with this caption belongs to `function` (a FunctionKey),
// without making the key.
bool InFunction(std::string_view mainCaption, std::string_view function);

struct BatchStats {
  std::string function;  // FunctionKey of the records counted
  std::string unit;      // base unit (GBK), from the first record counted
  long long count = 0;   // numeric readings
  // Welford's running mean and sum of squared deviations, taken from the
  // first value: far from zero (1e9 ± 1e-3) the deviations keep their digits.
  double shift = 0, meanOffset = 0, m2 = 0;
  double min = 0, max = 0;
  std::int32_t minRow = 0, maxRow = 0;  // the first row holding each
  std::map<std::string, long long> words;  // value words by text (trimmed)
  long long pass = 0, fail = 0;          // numeric readings against the limits

  double Mean() const { return shift + meanOffset; }
  // Sample standard deviation (n − 1); 0 for fewer than two values.
  double StdDev() const;
  // Pass share of the numeric readings in percent; none without limits or values.
  std::optional<double> YieldPercent(const Limits& limits) const;
};

// Counts one numeric value (constant work).
void AddValue(BatchStats& s, double base, std::int32_t row, const Limits& limits);
// Counts one record, as a number or as a word.
void AddRecord(BatchStats& s, const MeasurementRecord& rec, std::int32_t row, const Limits& limits);

// Rows 1..RecordCount of one function.
BatchStats ComputeBatchStats(const MeasurementTable& table, std::string_view function, const Limits& limits);

// Every function of the table, in the order each first appears.
std::vector<BatchStats> StatsPerFunction(const MeasurementTable& table, const Limits& limits);

// Counts of `bins` equal bins from min to max (the last bin holds max).
std::vector<long long> Histogram(const MeasurementTable& table, const BatchStats& s, int bins);

// Keeps the statistics of the function now shown up to date as records are
// appended: only new rows are read; anything else (another function, new
// limits, a table reset or replaced) counts again from row 1.
class BatchStatsTracker {
 public:
  const BatchStats& Update(const MeasurementTable& table, std::string_view function, const Limits& limits);
  const BatchStats& stats() const { return stats_; }
  // Changes whenever the numbers counted change: a count from row 1, or new
  // numeric values (not new value words alone).
  std::uint64_t revision() const { return revision_; }

 private:
  BatchStats stats_;
  std::uint64_t revision_ = 1;
  Limits limits_;
  std::int32_t rowsRead_ = 0;
  std::string lastRowSeen_;  // the texts of row rowsRead_, to notice a replaced table
};

// The figures as lines of text (GBK), for the window and the clipboard.
std::string StatsText(const BatchStats& s, const Limits& limits);

}  // namespace lcr
