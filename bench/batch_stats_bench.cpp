// Batch statistics recomputed over a whole table of 1 M records, as the
// Statistics window does when the function or the limits change.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "views/batch_stats.h"

namespace {

lcr::MeasurementTable MillionRecords() {
  std::vector<lcr::MeasurementRecord> records(1000000);
  for (std::size_t i = 0; i < records.size(); ++i) {
    char value[16];
    std::snprintf(value, sizeof value, "%d.%03d", 9 + int(i % 3), int(i * 7919 % 1000));
    records[i].MainValue.Assign(i % 97 == 0 ? "OL" : value);
    // The meter changes range now and then: runs of 500 readings per range.
    records[i].MainCaption.Assign(i / 500 % 2 ? "OHM 20.00 K\xA6\xB8" : "OHM 2.000 M\xA6\xB8");
    records[i].TimeText.Assign("10:00:00");
  }
  lcr::MeasurementTable table;
  lcr::ReplaceRecords(table, records);
  return table;
}

void BM_FullRecomputation(benchmark::State& state) {
  static const lcr::MeasurementTable table = MillionRecords();
  const lcr::Limits limits = lcr::ToleranceLimits(10e3, 5, true);
  for (auto _ : state) {
    lcr::BatchStats s = lcr::ComputeBatchStats(table, "OHM", limits);
    benchmark::DoNotOptimize(s.m2);
  }
  state.SetItemsProcessed(state.iterations() * table.RecordCount);
}
BENCHMARK(BM_FullRecomputation)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The floor: only reading each record's value and caption lengths, which
// is memory traffic over the 75 MB the table holds.
void BM_ReadEveryRecord(benchmark::State& state) {
  static const lcr::MeasurementTable table = MillionRecords();
  for (auto _ : state) {
    long long sum = 0;
    for (std::int32_t r = 1; r <= table.RecordCount; ++r) {
      const lcr::MeasurementRecord& rec = table.rows[std::size_t(r)];
      sum += rec.MainValue.length + rec.MainCaption.length;
    }
    benchmark::DoNotOptimize(sum);
  }
}
BENCHMARK(BM_ReadEveryRecord)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
