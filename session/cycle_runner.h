#pragma once
// Runs the cycle on real timers and the real clock: the four QTimers follow
// the window model's TimerModels after every handler. Used by the main
// window and by `lcrtool watch`.

#include <QObject>
#include <QTimer>
#include <memory>

#include "session/cycle.h"
#include "link/serial_io.h"

namespace lcr {

class CycleRunner : public QObject {
  Q_OBJECT

 public:
  // Takes the serial backend; the cycle is created here and lives as long as
  // the runner.
  CycleRunner(std::unique_ptr<SerialIo> io, QObject* parent = nullptr);
  ~CycleRunner() override;

  Cycle& cycle() { return *cycle_; }
  SerialIo& io() { return *io_; }

  // The buttons and menu commands that touch the link; each applies the
  // timers afterwards and emits changed().
  bool start();
  void stop();
  void reset();
  void quit();
  // Call after changing the model from outside (settings, scroll bars).
  void applyTimers();

  // Clock source, replaceable in tests.
  std::function<QDateTime()> clock = [] { return QDateTime::currentDateTime(); };

  // One tick of each timer, as its QTimer runs it; tests and benchmarks call
  // them directly instead of waiting for the timers.
  void onSystime();
  void onCheckCom();
  void onReadCom();
  void onShowTime();

  // The real timers, as the model armed them.
  const QTimer& systimeQTimer() const { return systime_; }
  const QTimer& checkComQTimer() const { return checkCom_; }
  const QTimer& readComQTimer() const { return readCom_; }
  const QTimer& showTimeQTimer() const { return showTime_; }

 signals:
  // The model changed (status texts, control states, diagnostics).
  void changed();
  // A display tick recorded a sample; emitted before DisplayCodes is cleared.
  void sampleRecorded();
  void panelReset(int family);
  // The link's health moved (cycle().link.state, text in status panel 4).
  void linkHealthChanged();

 private:
  void syncTimer(QTimer& timer, const TimerModel& model, std::uint64_t& applied);

  std::unique_ptr<SerialIo> io_;
  std::unique_ptr<Cycle> cycle_;
  QTimer systime_, checkCom_, readCom_, showTime_;
  std::uint64_t systimeStarts_ = ~0ull, checkComStarts_ = ~0ull, readComStarts_ = ~0ull,
                showTimeStarts_ = ~0ull;
};

}  // namespace lcr
