// Batch statistics: Welford against a two-pass reference, base units across
// ranges, value words apart, limits at their edges, incremental = full.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <tuple>

#include "views/batch_stats.h"
#include "views/statistics_view.h"

using namespace lcr;

namespace {

struct Reference {
  double mean = 0, sd = 0, min = 0, max = 0;
};

// Two passes in long double, shifted by the first value.
Reference TwoPass(const std::vector<double>& v) {
  Reference r;
  long double sum = 0;
  for (double x : v) sum += (long double)x - v[0];
  const long double mean = v[0] + sum / v.size();
  long double sq = 0;
  for (double x : v) sq += ((long double)x - mean) * ((long double)x - mean);
  r.mean = double(mean);
  r.sd = v.size() > 1 ? double(std::sqrt(sq / (v.size() - 1))) : 0;
  r.min = *std::min_element(v.begin(), v.end());
  r.max = *std::max_element(v.begin(), v.end());
  return r;
}

TEST(BatchStats, WelfordKeepsItsDigitsFarFromZero) {
  std::mt19937_64 gen(7);
  std::uniform_real_distribution<double> noise(-1e-3, 1e-3);
  std::vector<double> values(1000000);
  for (double& x : values) x = 1e9 + noise(gen);
  BatchStats s;
  for (std::size_t i = 0; i < values.size(); ++i) AddValue(s, values[i], std::int32_t(i + 1), {});
  const Reference ref = TwoPass(values);
  EXPECT_EQ(s.count, 1000000);
  EXPECT_NEAR(s.Mean(), ref.mean, 2e-7);
  EXPECT_NEAR(s.StdDev(), ref.sd, ref.sd * 1e-6);
  EXPECT_NEAR(ref.sd, 2e-3 / std::sqrt(12.0), 1e-5);  // the reference itself is sane
  EXPECT_EQ(s.min, ref.min);
  EXPECT_EQ(s.max, ref.max);
}

MeasurementRecord Rec(const std::string& value, const std::string& caption) {
  MeasurementRecord r;
  r.MainValue.Assign(value);
  r.MainCaption.Assign(caption);
  r.TimeText.Assign("10:00:00");
  return r;
}

// Readings of one function on the KΩ and MΩ ranges, value words and another
// function mixed in: the figures are those of the ohm values alone, and the
// tracker fed in pieces agrees with a full recomputation.
TEST(BatchStats, RangesCountTogetherAndWordsApart) {
  const std::string kOhm = "OHM 20.00 K\xA6\xB8", kMOhm = "OHM 2.000 M\xA6\xB8";
  std::mt19937 gen(11);
  std::vector<MeasurementRecord> records;
  std::vector<double> ohms;
  long long ol = 0;
  std::vector<std::int32_t> cuts;
  for (int i = 0; i < 3000; ++i) {
    const int k = std::uniform_int_distribution<int>(1000, 19999)(gen);
    char text[16];
    std::snprintf(text, sizeof text, "%d.%03d", k / 1000, k % 1000);
    switch (gen() % 5) {
      case 0: records.push_back(Rec(text, kMOhm)); ohms.push_back(k * 1e3); break;
      case 1: records.push_back(Rec(" OL ", kOhm)); ++ol; break;
      case 2: records.push_back(Rec(text, "CAP 20.000 nF")); break;
      default: records.push_back(Rec(text, kOhm)); ohms.push_back(k * 1.0); break;
    }
  }
  MeasurementTable table;
  ReplaceRecords(table, records);
  const BatchStats s = ComputeBatchStats(table, "OHM", {});
  const Reference ref = TwoPass(ohms);
  ASSERT_EQ(s.count, (long long)ohms.size());
  EXPECT_NEAR(s.Mean(), ref.mean, std::abs(ref.mean) * 1e-12);
  EXPECT_NEAR(s.StdDev(), ref.sd, ref.sd * 1e-12);
  EXPECT_DOUBLE_EQ(s.min, ref.min);
  EXPECT_DOUBLE_EQ(s.max, ref.max);
  EXPECT_DOUBLE_EQ(*BaseValue(table.rows[std::size_t(s.maxRow)].MainValue.View(),
                              table.rows[std::size_t(s.maxRow)].MainCaption.View()), ref.max);
  EXPECT_EQ(s.words, (std::map<std::string, long long>{{"OL", ol}}));
  EXPECT_EQ(s.unit, "\xA6\xB8");

  const std::vector<BatchStats> all = StatsPerFunction(table, {});
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[0].count + all[1].count + ol, 3000);

  // Fed in pieces, as appends come, then after a reset to fewer rows.
  BatchStatsTracker tracker;
  const std::int32_t total = table.RecordCount;
  for (std::int32_t n : {1, 17, 1500, total}) {
    table.RecordCount = n;
    tracker.Update(table, "OHM", {});
  }
  EXPECT_EQ(tracker.stats().count, s.count);
  EXPECT_DOUBLE_EQ(tracker.stats().Mean(), s.Mean());
  EXPECT_EQ(tracker.stats().minRow, s.minRow);
  table.RecordCount = 10;
  EXPECT_EQ(tracker.Update(table, "OHM", {}).count, ComputeBatchStats(table, "OHM", {}).count);
}

TEST(BatchStats, LimitsPassTheirEdgesAndNothingBeyond) {
  const Limits tol = ToleranceLimits(1000, 1, true);  // 990 .. 1010
  for (double v : {990.0, 1000.0, 1010.0, 1.01 * 1000, 0.99 * 1000}) EXPECT_TRUE(WithinLimits(tol, v)) << v;
  for (double v : {989.9999, 1010.0001, -1000.0}) EXPECT_FALSE(WithinLimits(tol, v)) << v;
  EXPECT_EQ(ToleranceLimits(5, 0.25, false), (Limits{4.75, 5.25}));
  EXPECT_TRUE(WithinLimits({std::nullopt, 2.0}, -1e300));
  EXPECT_FALSE(WithinLimits({2.0, std::nullopt}, 1.999999));

  // Readings on the edges in another range pass; words are neither pass nor fail.
  MeasurementTable table;
  ReplaceRecords(table, {Rec("1.010", "OHM 2.000 K\xA6\xB8"), Rec("990.0", "OHM 2000 \xA6\xB8"),
                         Rec("1.011", "OHM 2.000 K\xA6\xB8"), Rec("OL", "OHM 2.000 K\xA6\xB8"),
                         Rec("0.00099", "OHM 2.000 M\xA6\xB8")});
  const BatchStats s = ComputeBatchStats(table, "OHM", tol);
  EXPECT_EQ(s.pass, 3);
  EXPECT_EQ(s.fail, 1);
  EXPECT_DOUBLE_EQ(*s.YieldPercent(tol), 75.0);
  EXPECT_FALSE(s.YieldPercent({}));
  EXPECT_FALSE(BaseValue("----", "OHM 2.000 K\xA6\xB8"));
  EXPECT_FALSE(BaseValue("Pass", "OHM 2.000 K\xA6\xB8"));
}

TEST(BatchStats, LimitsAsTheUserTypesThem) {
  std::string error;
  EXPECT_EQ(ParseLimits("4.7k", "5%", "", "", &error), ToleranceLimits(4700, 5, true));
  EXPECT_EQ(ParseLimits("100n", "2n", "", "", &error), ToleranceLimits(100e-9, 2e-9, false));
  EXPECT_EQ(ParseLimits("", "", "1M", "", &error), (Limits{1e6, std::nullopt}));
  EXPECT_EQ(ParseLimits("", "", "", "", &error), Limits{});
  for (auto [n, t, lo, hi] : {std::tuple{"10", "", "", ""}, {"", "1%", "", ""}, {"10", "1%", "9", ""},
                              {"", "", "5", "4"}, {"x", "1", "", ""}, {"", "", "1e", ""}, {"", "", "", "1e308G"}}) {
    error.clear();
    EXPECT_FALSE(ParseLimits(n, t, lo, hi, &error)) << n << t << lo << hi;
    EXPECT_FALSE(error.empty());
  }
}

// The recount reads records by its own fast path; record by record through
// BaseValue it must come out the same to the last bit, over every kind of
// value text, every prefix and rows across the table's blocks.
TEST(BatchStats, RecountEqualsRecordByRecordToTheBit) {
  const char* captions[] = {"OHM 20.00 K\xA6\xB8", "OHM 2.000 M\xA6\xB8", "OHM 200.0 \xA6\xB8", "CAP 20.00 nF",
                            "CAP 200.0 uF", "CAP 2.000 pF", "DCV 200.0 mV", "DCV 20.00 V"};
  const char* odd[] = {" 1.5", "1.5 ", "-0.123", "+3", "1,25", ".5", "5.", "1e3", "-", ".", "1.2.3", "OL", "----",
                       "-OL", "PASS", "", " ", "0", "-0.000", "1234567"};
  std::mt19937 gen(3);
  std::vector<MeasurementRecord> records(45000);
  for (MeasurementRecord& r : records) {
    char text[16];
    if (gen() % 8 == 0) {
      std::snprintf(text, sizeof text, "%s", odd[gen() % std::size(odd)]);
    } else {
      const int whole = int(gen() % 20000) - 2000, frac = int(gen() % 1000);
      std::snprintf(text, sizeof text, "%d.%0*d", whole, 1 + int(gen() % 3), frac % (gen() % 2 ? 10 : 1000));
    }
    r.MainValue.Assign(text);
    r.MainCaption.Assign(captions[gen() % 2 ? 0 : gen() % std::size(captions)]);
  }
  MeasurementTable table;
  ReplaceRecords(table, records);
  for (const Limits& limits : {Limits{}, ToleranceLimits(5e3, 10, true)}) {
    for (const char* function : {"OHM", "CAP", "DCV"}) {
      BatchStats want;
      want.function = function;
      for (std::int32_t r = 1; r <= table.RecordCount; ++r)
        if (InFunction(table.rows[std::size_t(r)].MainCaption.View(), function))
          AddRecord(want, table.rows[std::size_t(r)], r, limits);
      const BatchStats got = ComputeBatchStats(table, function, limits);
      ASSERT_GT(got.count, 1000);
      EXPECT_EQ(std::memcmp(&got.meanOffset, &want.meanOffset, sizeof(double)), 0) << function;
      EXPECT_EQ(std::memcmp(&got.m2, &want.m2, sizeof(double)), 0) << function;
      EXPECT_EQ(std::tie(got.count, got.shift, got.min, got.max, got.minRow, got.maxRow, got.pass, got.fail, got.unit),
                std::tie(want.count, want.shift, want.min, want.max, want.minRow, want.maxRow, want.pass, want.fail,
                         want.unit));
      EXPECT_EQ(got.words, want.words);
    }
  }
}

// A batch opened in place of another of the same size and function is
// counted again, histogram and all; new value words alone change nothing.
TEST(StatisticsView, AnotherBatchOfTheSameSizeGetsItsOwnHistogram) {
  const char* kOhm = "OHM 2000 \xA6\xB8";
  MeasurementTable table;
  ReplaceRecords(table, {Rec("100.0", kOhm), Rec("101.0", kOhm), Rec("109.0", kOhm)});
  StatisticsView view;
  const StatisticsShown first = view.Update(table, "OHM", {});
  ReplaceRecords(table, {Rec("200.0", kOhm), Rec("250.0", kOhm), Rec("210.0", kOhm)});
  const StatisticsShown& second = view.Update(table, "OHM", {});
  EXPECT_NE(second.histogram, first.histogram);
  EXPECT_EQ(second.histogramLow, "200 \xA6\xB8");
  EXPECT_EQ(second.histogramHigh, "250 \xA6\xB8");
  EXPECT_NE(second.histogramRevision, first.histogramRevision);

  const std::uint64_t drawn = second.histogramRevision;
  ReplaceRecords(table, {Rec("200.0", kOhm), Rec("250.0", kOhm), Rec("210.0", kOhm), Rec("OL", kOhm)});
  EXPECT_EQ(view.Update(table, "OHM", {}).histogramRevision, drawn);

  // Limits for another function say so; pending ones wait for one.
  FunctionLimits cap{"CAP", {}, Limits{1e-9, 2e-9}};
  EXPECT_EQ(view.Update(table, "OHM", cap).note, "The limits are for CAP; they do not apply to OHM shown now.");
  cap.function.clear();
  EXPECT_EQ(LimitsNote(cap, "OHM"), "The limits apply to the function measured first.");
  EXPECT_EQ(LimitsNote(FunctionLimits{"OHM", {}, Limits{1.0, 2.0}}, "OHM"), "");
}

}  // namespace
