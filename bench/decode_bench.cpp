// Decoder throughput: one frame per iteration into the one reused Reading,
// as frame extraction calls them. Target: 1,000,000 frames/s or more each.

#include <benchmark/benchmark.h>

#include "bench/bench_frames.h"
#include "decode/decode68.h"
#include "decode/decode730.h"

namespace {

using namespace lcr;

template <typename Frame, void (*Decode)(const std::uint8_t*, Reading&, std::string_view)>
void DecodeFrames(benchmark::State& state, const std::vector<Frame>& frames,
                  std::string_view mark) {
  Reading reading;
  std::size_t i = 0;
  for (auto _ : state) {
    Decode(frames[i].data(), reading, mark);
    benchmark::DoNotOptimize(reading);
    if (++i == frames.size()) i = 0;
  }
  state.counters["frames/s"] =
      benchmark::Counter(double(state.iterations()), benchmark::Counter::kIsRate);
}

void BM_Decode730(benchmark::State& state) {
  DecodeFrames<sim::Frame730, Decode730Frame>(state, bench::Frames730(),
                                              state.range(0) ? "," : ".");
}
BENCHMARK(BM_Decode730)->Arg(0)->Arg(1)->ArgName("comma");

void BM_Decode68(benchmark::State& state) {
  DecodeFrames<sim::Frame68, Decode68Frame>(state, bench::Frames68(), state.range(0) ? "," : ".");
}
BENCHMARK(BM_Decode68)->Arg(0)->Arg(1)->ArgName("comma");

// A family 68 frame whose primary shows a glyph outside the table: the
// decoder gives up part way, as it does for noise that passed the frame test.
void BM_Decode68Unreadable(benchmark::State& state) {
  std::vector<sim::Frame68> frames = bench::Frames68();
  for (auto& f : frames) f[7] = 0x01;
  DecodeFrames<sim::Frame68, Decode68Frame>(state, frames, ".");
}
BENCHMARK(BM_Decode68Unreadable);

}  // namespace
