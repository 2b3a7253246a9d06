// The meter's display on the window: setting the panel up for a family (the
// model, then every picture cut and placed on the widgets), and one render of
// a reading (the model, then the widgets following what it changed).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <memory>
#include <vector>

#include "session/cycle.h"
#include "app/main_window.h"
#include "app/panel_widgets.h"
#include "bench_frames.h"
#include "decode/decode68.h"
#include "decode/decode730.h"
#include "link/scripted_serial_io.h"
#include "lcd/panel_model.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "panel_window_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);  // never destroyed, see startup_bench
  return *app;
}

// The readings of the benchmark frames of a family, with their panel flags.
struct Sample {
  lcr::Reading reading;
  std::array<std::uint8_t, lcr::kPanelFlagCount> flags{};
};

std::vector<Sample> Samples(int family) {
  std::vector<Sample> out;
  auto add = [&](const std::uint8_t* frame) {
    lcr::AcquisitionState s;
    if (family == 730) lcr::Decode730Frame(frame, s.reading, ".");
    else lcr::Decode68Frame(frame, s.reading, ".");
    lcr::PanelFlagArray flags{};
    lcr::BuildPanelFlags(s.reading.SegmentFlags, flags);
    out.push_back({s.reading, flags});
  };
  if (family == 730)
    for (const auto& f : lcr::bench::Frames730()) add(f.data());
  else
    for (const auto& f : lcr::bench::Frames68()) add(f.data());
  return out;
}

struct Window {
  Window() : form(std::make_unique<lcr::ScriptedSerialIo>()) {
    form.show();
    QApplication::processEvents();
  }
  lcr::TForm1 form;
  lcr::PanelModel model;
  std::vector<std::uint8_t> buffer = std::vector<std::uint8_t>(lcr::kReceiveBufferSize);
};

// ResetPanel for the family: model and widgets. Each pass is a full set-up.
void BM_InitPanel(benchmark::State& state) {
  App();
  Window w;
  const int family = int(state.range(0));
  for (auto _ : state) {
    lcr::ResetPanel(w.model, w.buffer, family);
    w.form.panel().follow(w.model);
  }
}
BENCHMARK(BM_InitPanel)->ArgName("family")->Arg(730)->Arg(68)->Unit(benchmark::kMillisecond)->UseRealTime();

// The model alone, as the baseline of the one above.
void BM_InitPanelModel(benchmark::State& state) {
  lcr::PanelModel model;
  std::vector<std::uint8_t> buffer(lcr::kReceiveBufferSize);
  for (auto _ : state) lcr::ResetPanel(model, buffer, int(state.range(0)));
}
BENCHMARK(BM_InitPanelModel)->ArgName("family")->Arg(730)->Arg(68)->Unit(benchmark::kMicrosecond);

// One render, cycling through the benchmark frames so every pass changes
// digits, units and (730) the bar. With paint the window also repaints.
void BM_RenderPanel(benchmark::State& state) {
  App();
  Window w;
  const int family = int(state.range(0));
  const bool widgets = state.range(1) >= 1, paint = state.range(1) >= 2;
  const std::vector<Sample> samples = Samples(family);
  lcr::ResetPanel(w.model, w.buffer, family);
  w.form.panel().follow(w.model);
  QApplication::processEvents();
  std::size_t i = 0;
  for (auto _ : state) {
    const Sample& s = samples[i++ % samples.size()];
    lcr::RenderPanel(w.model, lcr::PanelInput{s.reading, ".", s.flags}, family);
    if (widgets) w.form.panel().follow(w.model);
    if (paint) QApplication::processEvents();
  }
}
// stage 0: the model only; 1: model and widgets; 2: and the repaint.
BENCHMARK(BM_RenderPanel)
    ->ArgNames({"family", "stage"})
    ->ArgsProduct({{730, 68}, {0, 1, 2}})
    ->Unit(benchmark::kMicrosecond)
    ->UseRealTime();

}  // namespace
