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

  // Whether the session ends once stdout cannot be written (watch, whose
  // lines are its whole output), or goes on without printing (log, whose
  // output is its file). A lost stdout is said on stderr either way.
  void SetEndsWithOutput(bool ends) { endsWithOutput_ = ends; }
  bool outputLost() const { return outputLost_; }

  // Presses Start and runs the event loop until SIGINT or SIGTERM, then
  // closes every port.
  void Run();

 private:
  void TryStart();
  void ReportHealth();
  void PrintSample();

  std::string verb_;
  lcr::CycleRunner runner_;
  QTimer startRetry_, stopPoll_;
  bool endsWithOutput_ = false;
  bool outputLost_ = false;
};

}  // namespace lcrtool
