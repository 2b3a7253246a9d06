#pragma once
// Long work of a File command (Open, Save, the exports) under a progress
// dialog. The window takes no input while it runs; between the work's steps
// the events are processed, so the window repaints, the dialog's Cancel
// answers, and the cycle's timers run on (a save asked for while recording
// costs no reading).

#include <QElapsedTimer>
#include <QProgressDialog>
#include <functional>

#include "files/progress.h"

class QWidget;

namespace lcr {

// The dialog shows once the work has run this long.
inline constexpr int kProgressShowAfterMs = 300;
// The events are processed, and the dialog moved, this often.
inline constexpr int kProgressStepMs = 50;

class ProgressJob {
 public:
  // Disables `window` (unless it already is) until the job ends; the
  // dialog, titled `title` and saying `label`, belongs to it.
  ProgressJob(QWidget* window, const QString& title, const QString& label);
  ~ProgressJob();
  ProgressJob(const ProgressJob&) = delete;
  ProgressJob& operator=(const ProgressJob&) = delete;

  // What the work reports to; it says stop once Cancel was pressed.
  Progress progress();
  bool cancelled() const { return dialog_.wasCanceled(); }
  const QProgressDialog& dialog() const { return dialog_; }

  // Also told each step, with the share done in thousandths.
  std::function<void(int permille)> follow;

  // True while a job runs: the window must not close under it.
  static bool Running();

 private:
  bool Step(qint64 done, qint64 total);

  QWidget* window_;
  bool reenable_;
  QProgressDialog dialog_;
  QElapsedTimer sinceStep_;
};

}  // namespace lcr
