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
  // "1e308G" would be infinite, and an infinite limit decides nothing.
  const auto v = ReadScaled(Trim(text), e);
  return v && std::isfinite(*v) ? v : std::nullopt;
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

namespace {

inline bool Within(const Limits& limits, double v) {
  const auto slack = [](double edge) { return std::abs(edge) * 1e-12; };
  if (limits.low && v < *limits.low - slack(*limits.low)) return false;
  if (limits.high && v > *limits.high + slack(*limits.high)) return false;
  return true;
}

// Welford's update, the extremes and pass or fail of one value; inline, as
// the recount runs it a million times, on the statistics or on a copy of
// their figures kept in registers (Running).
template <typename Figures>
inline void Accumulate(Figures& s, double base, std::int32_t row, const Limits& limits) {
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
  if (limits.Any()) ++(Within(limits, base) ? s.pass : s.fail);
}

}  // namespace

bool WithinLimits(const Limits& limits, double v) { return Within(limits, v); }

std::string FunctionKey(std::string_view mainCaption) {
  const std::string_view label = Chars(mainCaption, 1, 3);
  return std::string(label == "TMP" ? mainCaption : label);
}

namespace {

// A value as ScaledValue reads it, by the common case first.
inline bool ValueAt(const FixedText<7>& text, int e, double& value) {
  auto v = ReadPlainScaled(text.View(), e);
  if (!v) v = ScaledValue(text.View(), e);
  if (v) value = *v;
  return v.has_value();
}

// The figures Accumulate changes, copied out of the statistics for a
// recount so they stay in registers, and copied back after it.
struct Running {
  long long count;
  double shift, meanOffset, m2, min, max;
  std::int32_t minRow, maxRow;
  long long pass, fail;

  explicit Running(const BatchStats& s)
      : count(s.count), shift(s.shift), meanOffset(s.meanOffset), m2(s.m2), min(s.min), max(s.max),
        minRow(s.minRow), maxRow(s.maxRow), pass(s.pass), fail(s.fail) {}
  void CopyTo(BatchStats& s) const {
    s.count = count;
    s.shift = shift;
    s.meanOffset = meanOffset;
    s.m2 = m2;
    s.min = min;
    s.max = max;
    s.minRow = minRow;
    s.maxRow = maxRow;
    s.pass = pass;
    s.fail = fail;
  }
};

// The value words met in a recount, counted in a short list and moved into
// the statistics' map at the end: a map insertion per word costs more than
// the rest of the record.
struct WordTally {
  struct Entry {
    FixedText<7> text;
    long long n;
  };
  std::vector<Entry> entries;
  void Add(const FixedText<7>& text) {
    for (Entry& entry : entries)
      if (entry.text.length == text.length &&
          std::memcmp(entry.text.chars.data(), text.chars.data(), text.length) == 0) {
        ++entry.n;
        return;
      }
    entries.push_back({text, 1});
  }
  void MoveInto(BatchStats& s) {
    for (const Entry& entry : entries) s.words[std::string(Trim(entry.text.View()))] += entry.n;
  }
};

// Whether a caption belongs to the function, and its power of ten, found
// once per run of records with the same caption bytes. Bytes past the
// length may differ between equal captions; that only costs a look again.
struct CaptionCache {
  FixedText<20> caption;
  bool valid = false, inFunction = false;
  int e = 0;
  void Look(const FixedText<20>& c, std::string_view function) {
    if (valid && std::memcmp(&c, &caption, sizeof caption) == 0) return;
    caption = c;
    valid = true;
    inFunction = InFunction(c.View(), function);
    e = CaptionExponent(c.View());
  }
};

// Calls visit(rec, row, base) for rows from..to of one function, base the
// value in base units or null for a value word.
template <class Visit>
void ForEachRecordOf(const MeasurementTable& table, std::int32_t from, std::int32_t to, std::string_view function,
                     Visit&& visit) {
  CaptionCache cache;
  constexpr std::int32_t kBlock = std::int32_t(RecordRows::kBlockRows);
  for (std::int32_t r = from; r <= to;) {
    // The rows of one block lie next to each other.
    const std::int32_t blockEnd = std::min(to, (r / kBlock + 1) * kBlock - 1);
    const MeasurementRecord* rec = &table.rows[std::size_t(r)];
    for (; r <= blockEnd; ++r, ++rec) {
      cache.Look(rec->MainCaption, function);
      if (!cache.inFunction) continue;
      double base;
      visit(*rec, r, ValueAt(rec->MainValue, cache.e, base) ? &base : nullptr);
    }
  }
}

// Counts rows from..to of one function into s.
void CountRows(BatchStats& s, const MeasurementTable& table, std::int32_t from, std::int32_t to,
               std::string_view function, const Limits& limits) {
  WordTally words;
  Running run(s);
  const Limits bounds = limits;
  bool unitTaken = s.count > 0 || !s.words.empty();
  ForEachRecordOf(table, from, to, function, [&](const MeasurementRecord& rec, std::int32_t r, const double* base) {
    if (!unitTaken) {
      s.unit = std::string(CaptionBaseUnit(rec.MainCaption.View()));
      unitTaken = true;
    }
    if (base)
      Accumulate(run, *base, r, bounds);
    else
      words.Add(rec.MainValue);
  });
  run.CopyTo(s);
  words.MoveInto(s);
}

}  // namespace

double BatchStats::StdDev() const { return count < 2 ? 0 : std::sqrt(m2 / double(count - 1)); }

std::optional<double> BatchStats::YieldPercent(const Limits& limits) const {
  if (!limits.Any() || count == 0) return std::nullopt;
  return 100.0 * double(pass) / double(count);
}

void AddValue(BatchStats& s, double base, std::int32_t row, const Limits& limits) {
  Accumulate(s, base, row, limits);
}

void AddRecord(BatchStats& s, const MeasurementRecord& rec, std::int32_t row, const Limits& limits) {
  if (s.count == 0 && s.words.empty()) s.unit = std::string(CaptionBaseUnit(rec.MainCaption.View()));
  if (const auto base = BaseValue(rec.MainValue.View(), rec.MainCaption.View()))
    Accumulate(s, *base, row, limits);
  else
    ++s.words[std::string(Trim(rec.MainValue.View()))];
}

bool InFunction(std::string_view caption, std::string_view function) {
  // The label alone decides, except for TMP whose whole caption does.
  if (function.size() <= 3) return Chars(caption, 1, 3) == function;
  return caption == function;
}

BatchStats ComputeBatchStats(const MeasurementTable& table, std::string_view function, const Limits& limits) {
  BatchStats s;
  s.function = std::string(function);
  CountRows(s, table, 1, table.RecordCount, function, limits);
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
  ForEachRecordOf(table, 1, table.RecordCount, s.function, [&](const MeasurementRecord&, std::int32_t, const double* v) {
    if (!v) return;
    const double at = span > 0 ? (*v - s.min) / span * double(counts.size()) : 0;
    ++counts[std::min(std::size_t(std::max(at, 0.0)), counts.size() - 1)];
  });
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
    ++revision_;
  }
  const long long counted = stats_.count;
  CountRows(stats_, table, rowsRead_ + 1, table.RecordCount, function, limits);
  if (stats_.count != counted) ++revision_;
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
