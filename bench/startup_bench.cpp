// The window's costs: from program start to the window shown, and one
// display tick with the views that exist.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <chrono>
#include <QPushButton>
#include <memory>
#include <string>

#include "app/deep_blue_style.h"
#include "session/cycle.h"
#include "app/main_window.h"
#include "app/settings_dialog.h"
#include "link/scripted_serial_io.h"
#include "tests/publish/local_broker.h"

namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "startup_bench";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Never destroyed: at exit Qt's own globals may already be gone, and a
  // static QApplication torn down after them crashes the process.
  static QApplication* app = [] {
    auto* a = new QApplication(argc, argv);
    lcr::ApplyDeepBlueStyle(*a);
    return a;
  }();
  return *app;
}

// The whole program: process start, both windows, the first show, exit.
void BM_StartToWindowShown(benchmark::State& state) {
  for (auto _ : state) {
    QProcess p;
    p.start(QStringLiteral(LCR_TAVRIK_PATH), {"-platform", "offscreen", "--quit-when-shown"});
    if (!p.waitForFinished(10000) || p.exitCode() != 0) {
      state.SkipWithError("lcr-tavrik did not start and quit");
      return;
    }
  }
}
BENCHMARK(BM_StartToWindowShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

// The same inside one process: both windows built and the main one shown.
void BM_WindowsBuiltAndShown(benchmark::State& state) {
  App();
  for (auto _ : state) {
    lcr::TForm1 form(std::make_unique<lcr::ScriptedSerialIo>());
    lcr::TForm2 dialog(form.runner(), &form);
    form.setSettingsDialog(&dialog);
    form.show();
    QApplication::processEvents();
  }
}
BENCHMARK(BM_WindowsBuiltAndShown)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// One display tick that records a sample, and the window showing the model:
// the grid's rows, the statistics and a chart of a full page (P + 1 points)
// rebuilt from scratch. With state.range(1) the window also paints what the
// tick changed, as the event loop does after it; with state.range(2) every
// sample is also published to a local broker.
void DisplayTick(benchmark::State& state) {
  App();
  std::unique_ptr<lcrtest::Broker> broker;
  if (state.range(2) != 0) {
    broker = std::make_unique<lcrtest::Broker>();
    if (!broker->Start()) {
      state.SkipWithError("no mosquitto broker");
      return;
    }
  }
  auto scripted = std::make_unique<lcr::ScriptedSerialIo>();
  lcr::ScriptedSerialIo* io = scripted.get();
  lcr::TForm1 form(std::move(scripted));
  lcr::ApplySettings(form.cycle(), int(state.range(0)), 120);
  form.show();
  QApplication::processEvents();
  if (broker) {
    form.cycle().publishTo = "mqtt://127.0.0.1:" + std::to_string(broker->port()) + "/bench";
    form.cycle().benchName = "tick-bench";
    form.publishing().Apply();
    QElapsedTimer waited;
    waited.start();
    while (form.publishing().words().rfind("Publishing to", 0) != 0 && waited.elapsed() < 5000)
      QApplication::processEvents(QEventLoop::AllEvents, 10);
    if (form.publishing().words().rfind("Publishing to", 0) != 0) {
      state.SkipWithError("the broker was not reached");
      return;
    }
  }

  // Link to a family 730 meter and decode three frames.
  std::vector<unsigned char> frame(17, 0);
  frame[1] = 0x0D;
  frame[15] = 0x0D;
  frame[16] = 0x0A;
  frame[7] = 0x23;
  frame[8] = 0x08;
  std::vector<unsigned char> two(frame);
  two.insert(two.end(), frame.begin(), frame.end());
  form.Button_Start->click();
  io->QueueRead(1, two);
  form.runner().onCheckCom();
  for (int i = 0; i < 3; ++i) {
    io->QueueRead(1, frame);
    form.runner().onReadCom();
  }
  lcr::Cycle& c = form.cycle();
  const std::string codes = c.acq.reading.DisplayCodes;
  if (c.acq.LinkCount < 3 || codes.find('1') == std::string::npos) {
    state.SkipWithError("the scripted meter did not link");
    return;
  }
  // A full page of records first, so that every tick plots P + 1 points.
  const bool paint = state.range(1) != 0;
  while (c.table.RecordCount <= state.range(0)) {
    c.acq.reading.MainValue = std::to_string(30 + c.table.RecordCount % 10);
    c.acq.reading.DisplayCodes = codes;
    form.runner().onShowTime();
  }
  QApplication::processEvents();
  const std::int32_t before = c.table.RecordCount;
  // The value moves on every tick, over a band of ten, as a live reading
  // does: every point is a step of the line, the most it ever draws.
  int tick = 0;
  for (auto _ : state) {
    c.acq.reading.MainValue = std::to_string(30 + tick++ % 10);
    c.acq.reading.DisplayCodes = codes;
    form.runner().onShowTime();
    if (paint) QApplication::processEvents();  // paints what the tick made dirty
  }
  if (c.table.RecordCount - before != std::int32_t(state.iterations()))
    state.SkipWithError("a tick did not record its sample");
  if (c.chart.points.size() != std::size_t(state.range(0) + 1))
    state.SkipWithError("the chart did not hold a full page");
  form.runner().stop();
  if (broker) form.publishing().Finish(std::chrono::seconds(5));
}

void BM_DisplayTick(benchmark::State& state) { DisplayTick(state); }
BENCHMARK(BM_DisplayTick)
    ->ArgNames({"points", "paint", "publish"})
    ->Args({200, 0, 0})
    ->Args({500, 0, 0})
    ->Args({200, 1, 0})
    ->Args({500, 1, 0})
    ->Args({500, 0, 1})
    ->Args({500, 1, 1})
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

}  // namespace
