#pragma once
// The live cycle on real serial ports with the real clock, shared by
// `lcrtool watch` and `lcrtool log`: start-up as the window does it, Start
// tried again every two seconds while no port opens, one line per recorded
// sample on stdout, the link health on stderr whenever it changes, and a
// clean end on SIGINT or SIGTERM.

#include <QTimer>
#include <memory>
#include <string>

#include "session/cycle_runner.h"
#include "link/qt_serial_io.h"

namespace lcrtool {

class LiveSession {
 public:
  // `verb` prefixes the messages on stderr ("lcrtool log").
  LiveSession(std::string verb, std::unique_ptr<lcr::QtSerialIo> io, int ratePerMinute);

  lcr::Cycle& cycle() { return runner_.cycle(); }

  // Presses Start and runs the event loop until SIGINT or SIGTERM, then
  // closes every port.
  void Run();

 private:
  void TryStart();
  void ReportHealth();

  std::string verb_;
  lcr::CycleRunner runner_;
  QTimer startRetry_, stopPoll_;
};

}  // namespace lcrtool
