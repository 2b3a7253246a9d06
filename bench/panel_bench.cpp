// The panel model alone (no widgets): setting it up for a family, and one
// render of a decoded reading with the change lists it leaves for the
// widgets. Targets for model and widgets together: set-up 50 ms, render
// 0.3 ms median.

#include <benchmark/benchmark.h>

#include <array>

#include "bench/bench_frames.h"
#include "decode/decode68.h"
#include "decode/decode730.h"
#include "session/session_state.h"
#include "lcd/panel_model.h"

namespace {

using namespace lcr;

void BM_ResetPanel(benchmark::State& state) {
  const int family = int(state.range(0));
  PanelModel panel;
  std::array<std::uint8_t, kReceiveBufferSize> buffer{};
  for (auto _ : state) {
    ResetPanel(panel, buffer, family);
    benchmark::DoNotOptimize(panel);
  }
}
BENCHMARK(BM_ResetPanel)->Arg(730)->Arg(68)->ArgName("family");

// Renders the family's bench frames in turn, so that cells and visibilities change.
template <typename Frame, void (*Decode)(const std::uint8_t*, Reading&, std::string_view)>
void RenderFrames(benchmark::State& state, int family, const std::vector<Frame>& frames) {
  std::vector<Reading> readings(frames.size());
  for (std::size_t i = 0; i < frames.size(); ++i) Decode(frames[i].data(), readings[i], ".");
  PanelModel panel;
  std::array<std::uint8_t, kReceiveBufferSize> buffer{};
  std::array<std::uint8_t, kPanelFlagCount> flags{};
  ResetPanel(panel, buffer, family);
  std::size_t i = 0;
  for (auto _ : state) {
    RenderPanel(panel, PanelInput{readings[i], ".", flags}, family);
    benchmark::DoNotOptimize(panel);
    if (++i == readings.size()) i = 0;
  }
}

void BM_RenderPanel730(benchmark::State& state) {
  RenderFrames<sim::Frame730, Decode730Frame>(state, kFamily730, bench::Frames730());
}
BENCHMARK(BM_RenderPanel730);

void BM_RenderPanel68(benchmark::State& state) {
  RenderFrames<sim::Frame68, Decode68Frame>(state, kFamily68, bench::Frames68());
}
BENCHMARK(BM_RenderPanel68);

}  // namespace
