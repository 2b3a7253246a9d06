#include "app/progress_job.h"

#include <QCoreApplication>
#include <QWidget>

namespace lcr {

namespace {

int jobsRunning = 0;

constexpr int kScale = 1000;

// The window is disabled before the dialog is made: a dialog made after
// its parent was disabled stays enabled, so Cancel still answers.
QWidget* Disabled(QWidget* window, bool& reenable) {
  reenable = window && window->isEnabled();
  if (reenable) window->setEnabled(false);
  return window;
}

}  // namespace

ProgressJob::ProgressJob(QWidget* window, const QString& title, const QString& label)
    : window_(Disabled(window, reenable_)), dialog_(label, QStringLiteral("Cancel"), 0, kScale, window) {
  ++jobsRunning;
  dialog_.setWindowTitle(title);
  dialog_.setMinimumDuration(kProgressShowAfterMs);
  // The window is disabled already; the dialog need not block it as well,
  // and a modal dialog would process events on every value of its own.
  dialog_.setWindowModality(Qt::NonModal);
  dialog_.setAutoReset(false);
  dialog_.setAutoClose(false);
  dialog_.setValue(0);
  sinceStep_.start();
}

ProgressJob::~ProgressJob() {
  dialog_.close();
  if (reenable_ && window_) window_->setEnabled(true);
  --jobsRunning;
}

bool ProgressJob::Running() { return jobsRunning > 0; }

Progress ProgressJob::progress() {
  return {[this](qint64 done, qint64 total) { return Step(done, total); }};
}

bool ProgressJob::Step(qint64 done, qint64 total) {
  if (sinceStep_.elapsed() < kProgressStepMs) return !dialog_.wasCanceled();
  sinceStep_.restart();
  const int permille = total > 0 ? int(double(kScale) * double(qBound<qint64>(0, done, total)) / double(total)) : 0;
  // Below the maximum until the work is over: the full bar means done.
  dialog_.setValue(std::min(permille, kScale - 1));
  if (follow) follow(permille);
  QCoreApplication::processEvents();
  return !dialog_.wasCanceled();
}

}  // namespace lcr
