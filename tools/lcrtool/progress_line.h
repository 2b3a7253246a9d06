#pragma once
// The progress of long work as one line on stderr, redrawn per whole
// percent, when stderr is a terminal and the work has run for 300 ms
// (nothing otherwise: short work says nothing).

#include <QElapsedTimer>
#include <string>

#include "files/progress.h"

namespace lcrtool {

class ProgressLine {
 public:
  // `what` begins the line ("reading FILE", "writing OUT").
  explicit ProgressLine(std::string what);
  // Ends the line, when one was drawn.
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  // Never cancels.
  lcr::Progress progress();

 private:
  std::string what_;
  bool terminal_;
  QElapsedTimer clock_;
  int shown_ = -1;
};

}  // namespace lcrtool
