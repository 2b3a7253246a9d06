#pragma once
// The live cycle on real serial ports with the real clock, shared by
// `lcrtool watch` and `lcrtool log`: start-up as the window does it, Start
// tried again every two seconds while no port opens, one line per recorded
// sample on stdout, the link health on stderr whenever it changes, and a
// clean end on SIGINT or SIGTERM.

#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "app/cycle/cycle_runner.h"
#include "app/cycle/link_health.h"
#include "link/qt_serial_io.h"

namespace lcrtool {

class LiveSession {
 public:
  // `verb` prefixes the messages on stderr ("lcrtool log").
  LiveSession(std::string verb, std::unique_ptr<lcr::QtSerialIo> io, int ratePerMinute);

  lcr::CycleRunner& runner() { return runner_; }
  lcr::Cycle& cycle() { return runner_.cycle(); }
  const std::string& verb() const { return verb_; }

  // Presses Start and runs the event loop until SIGINT or SIGTERM, then
  // closes every port.
  void Run();

  // Runs after each recorded sample, once its line was printed.
  std::function<void()> onSample;

 private:
  void TryStart();
  void ReportHealth();

  std::string verb_;
  lcr::QtSerialIo* io_;  // owned by the runner
  lcr::CycleRunner runner_;
  QTimer startRetry_, healthPoll_, stopPoll_;
  bool running_ = false;  // Start pressed (perhaps waiting for a port to open)
  std::string healthShown_;
};

// The line printed for the newest record: time, main value and caption, then
// the sub value and caption, in UTF-8.
std::string SampleLine(const lcr::Cycle& c);

}  // namespace lcrtool
