#include "views/batch_stats.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "common/text_and_numbers.h"
#include "decode/value_words.h"
#include "table/record_text.h"
#include "table/base_value.h"
#include "table/caption_unit.h"

namespace lcr {

Limits ToleranceLimits(double nominal, double tolerance, bool percent) {
  const double delta = std::abs(percent ? nominal * tolerance / 100 : tolerance);
  return {nominal - delta, nominal + delta};
}

std::optional<double> ParseLimitValue(std::string_view text) {
  text = Trim(text);
  int e = 0;
  if (!text.empty()) {
    const char last = text.back();
    if (last == 'G') e = 9;
    else if (last != 'e' && last != 'E') e = PrefixExponent(last);
    if (e != 0) text.remove_suffix(1);
  }
  return ReadScaled(Trim(text), e);
}

std::optional<Limits> ParseLimits(std::string_view nominal, std::string_view tolerance, std::string_view low,
                                  std::string_view high, std::string* error) {
  const auto fail = [&](const std::string& reason) -> std::optional<Limits> {
    if (error) *error = reason;
    return std::nullopt;
  };
  const auto read = [&](std::string_view text, const char* what, std::optional<double>& out) {
    if (Trim(text).empty()) return true;
    out = ParseLimitValue(text);
    if (!out && error) *error = std::string("not a number for ") + what + ": " + std::string(text);
    return out.has_value();
  };
  tolerance = Trim(tolerance);
  const bool percent = !tolerance.empty() && tolerance.back() == '%';
  if (percent) tolerance.remove_suffix(1);
  std::optional<double> n, t, lo, hi;
  if (!read(nominal, "the nominal", n) || !read(tolerance, "the tolerance", t) || !read(low, "the low limit", lo) ||
      !read(high, "the high limit", hi))
    return std::nullopt;
  if (n.has_value() != t.has_value()) return fail("a nominal needs a tolerance and a tolerance a nominal");
  if (n && (lo || hi)) return fail("give a nominal with a tolerance, or low and high limits, not both");
  if (n) return ToleranceLimits(*n, *t, percent);
  if (lo && hi && *lo > *hi) return fail("the low limit is above the high limit");
  return Limits{lo, hi};
}

bool WithinLimits(const Limits& limits, double v) {
  const auto slack = [](double edge) { return std::abs(edge) * 1e-12; };
  if (limits.low && v < *limits.low - slack(*limits.low)) return false;
  if (limits.high && v > *limits.high + slack(*limits.high)) return false;
  return true;
}

std::string FunctionKey(std::string_view mainCaption) {
  const std::string_view label = Chars(mainCaption, 1, 3);
  return std::string(label == "TMP" ? mainCaption : label);
}

namespace {

// Counts one record whose caption's power of ten is known.
void AddRecordAt(BatchStats& s, const MeasurementRecord& rec, int e, std::int32_t row, const Limits& limits) {
  if (s.count == 0 && s.words.empty()) s.unit = std::string(CaptionBaseUnit(rec.MainCaption.View()));
  if (const auto base = ScaledValue(rec.MainValue.View(), e))
    AddValue(s, *base, row, limits);
  else
    ++s.words[std::string(Trim(rec.MainValue.View()))];
}

// A run of records mostly shares one caption: its power of ten is found once.
struct ExponentCache {
  std::string_view caption;
  int e = 0;
  int Of(std::string_view c) {
    if (c.size() != caption.size() || std::memcmp(c.data(), caption.data(), c.size()) != 0) {
      caption = c;
      e = CaptionExponent(c);
    }
    return e;
  }
};

}  // namespace

double BatchStats::StdDev() const { return count < 2 ? 0 : std::sqrt(m2 / double(count - 1)); }

long long BatchStats::WordCount() const {
  long long n = 0;
  for (const auto& [word, k] : words) n += k;
  return n;
}

std::optional<double> BatchStats::YieldPercent(const Limits& limits) const {
  if (!limits.Any() || count == 0) return std::nullopt;
  return 100.0 * double(pass) / double(count);
}

void AddValue(BatchStats& s, double base, std::int32_t row, const Limits& limits) {
  if (s.count == 0) {
    s.shift = base;
    s.min = s.max = base;
    s.minRow = s.maxRow = row;
  }
  ++s.count;
  const double x = base - s.shift;
  const double delta = x - s.meanOffset;
  s.meanOffset += delta / double(s.count);
  s.m2 += delta * (x - s.meanOffset);
  if (base < s.min) {
    s.min = base;
    s.minRow = row;
  }
  if (base > s.max) {
    s.max = base;
    s.maxRow = row;
  }
  if (limits.Any()) ++(WithinLimits(limits, base) ? s.pass : s.fail);
}

void AddRecord(BatchStats& s, const MeasurementRecord& rec, std::int32_t row, const Limits& limits) {
  AddRecordAt(s, rec, CaptionExponent(rec.MainCaption.View()), row, limits);
}

namespace {

bool SameFunction(std::string_view caption, std::string_view function) {
  // The label alone decides, except for TMP whose whole caption does.
  if (function.size() <= 3) return Chars(caption, 1, 3) == function;
  return caption == function;
}

}  // namespace

BatchStats ComputeBatchStats(const MeasurementTable& table, std::string_view function, const Limits& limits) {
  BatchStats s;
  s.function = std::string(function);
  ExponentCache exponents;
  for (std::int32_t r = 1; r <= table.RecordCount; ++r) {
    const MeasurementRecord& rec = table.rows[std::size_t(r)];
    const std::string_view caption = rec.MainCaption.View();
    if (SameFunction(caption, function)) AddRecordAt(s, rec, exponents.Of(caption), r, limits);
  }
  return s;
}

std::vector<BatchStats> StatsPerFunction(const MeasurementTable& table, const Limits& limits) {
  std::vector<BatchStats> all;
  std::map<std::string, std::size_t> at;
  for (std::int32_t r = 1; r <= table.RecordCount; ++r) {
    const MeasurementRecord& rec = table.rows[std::size_t(r)];
    std::string key = FunctionKey(rec.MainCaption.View());
    auto [it, added] = at.try_emplace(key, all.size());
    if (added) all.emplace_back().function = std::move(key);
    AddRecord(all[it->second], rec, r, limits);
  }
  return all;
}

std::vector<long long> Histogram(const MeasurementTable& table, const BatchStats& s, int bins) {
  std::vector<long long> counts(std::size_t(std::max(bins, 1)), 0);
  if (s.count == 0) return counts;
  const double span = s.max - s.min;
  for (std::int32_t r = 1; r <= table.RecordCount; ++r) {
    const MeasurementRecord& rec = table.rows[std::size_t(r)];
    if (!SameFunction(rec.MainCaption.View(), s.function)) continue;
    const auto v = BaseValue(rec.MainValue.View(), rec.MainCaption.View());
    if (!v) continue;
    const double at = span > 0 ? (*v - s.min) / span * double(counts.size()) : 0;
    ++counts[std::min(std::size_t(std::max(at, 0.0)), counts.size() - 1)];
  }
  return counts;
}

namespace {

std::string RowFingerprint(const MeasurementTable& table, std::int32_t row) {
  const MeasurementRecord& rec = RowAt(table, row);
  std::string text(rec.TimeText.View());
  text += '|';
  text += rec.MainValue.View();
  text += '|';
  text += rec.MainCaption.View();
  return text;
}

}  // namespace

const BatchStats& BatchStatsTracker::Update(const MeasurementTable& table, std::string_view function,
                                            const Limits& limits) {
  const bool sameTable = table.RecordCount >= rowsRead_ && RowFingerprint(table, rowsRead_) == lastRowSeen_;
  if (function != stats_.function || !(limits == limits_) || !sameTable) {
    stats_ = BatchStats{};
    stats_.function = std::string(function);
    limits_ = limits;
    rowsRead_ = 0;
  }
  ExponentCache exponents;
  for (std::int32_t r = rowsRead_ + 1; r <= table.RecordCount; ++r) {
    const MeasurementRecord& rec = table.rows[std::size_t(r)];
    const std::string_view caption = rec.MainCaption.View();
    if (SameFunction(caption, function)) AddRecordAt(stats_, rec, exponents.Of(caption), r, limits);
  }
  rowsRead_ = table.RecordCount;
  lastRowSeen_ = RowFingerprint(table, rowsRead_);
  return stats_;
}

namespace {

std::string Number(double v) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.10g", v);
  return buf;
}

}  // namespace

std::string StatsText(const BatchStats& s, const Limits& limits) {
  const std::string unit = s.unit.empty() ? std::string() : " " + s.unit;
  std::string t = "Function\t" + s.function + "\n";
  t += "Count\t" + std::to_string(s.count) + "\n";
  if (s.count > 0) {
    t += "Mean\t" + Number(s.Mean()) + unit + "\n";
    t += "Std dev\t" + Number(s.StdDev()) + unit + "\n";
    t += "Minimum\t" + Number(s.min) + unit + " (index " + std::to_string(s.minRow) + ")\n";
    t += "Maximum\t" + Number(s.max) + unit + " (index " + std::to_string(s.maxRow) + ")\n";
  }
  for (const auto& [word, n] : s.words) t += "\"" + word + "\"\t" + std::to_string(n) + "\n";
  if (limits.Any()) {
    t += "Low limit\t" + (limits.low ? Number(*limits.low) + unit : std::string("none")) + "\n";
    t += "High limit\t" + (limits.high ? Number(*limits.high) + unit : std::string("none")) + "\n";
    t += "Pass\t" + std::to_string(s.pass) + "\n";
    t += "Fail\t" + std::to_string(s.fail) + "\n";
    if (const auto y = s.YieldPercent(limits)) {
      char buf[32];
      std::snprintf(buf, sizeof buf, "%.2f %%", *y);
      t += std::string("Yield\t") + buf + "\n";
    }
  }
  return t;
}

}  // namespace lcr
