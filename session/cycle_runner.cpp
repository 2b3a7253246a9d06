#include "session/cycle_runner.h"

#include "link/link_ops.h"

namespace lcr {

CycleRunner::CycleRunner(std::unique_ptr<SerialIo> io, QObject* parent)
    : QObject(parent), io_(std::move(io)), cycle_(MakeCycle()) {
  for (QTimer* t : {&systime_, &checkCom_, &readCom_, &showTime_}) t->setTimerType(Qt::PreciseTimer);
  // The link timers are re-armed by every pass; the clock and the display
  // tick run periodically.
  checkCom_.setSingleShot(true);
  readCom_.setSingleShot(true);
  connect(&systime_, &QTimer::timeout, this, &CycleRunner::onSystime);
  connect(&checkCom_, &QTimer::timeout, this, &CycleRunner::onCheckCom);
  connect(&readCom_, &QTimer::timeout, this, &CycleRunner::onReadCom);
  connect(&showTime_, &QTimer::timeout, this, &CycleRunner::onShowTime);
  cycle_->onSampleRecorded = [this] { emit sampleRecorded(); };
  cycle_->onPanelReset = [this](int family) { emit panelReset(family); };
  cycle_->onLinkHealthChanged = [this] { emit linkHealthChanged(); };
  applyTimers();
}

CycleRunner::~CycleRunner() {
  // Leave no port open behind us.
  if (io_) ClosePortsExcept(*io_, 0);
}

void CycleRunner::syncTimer(QTimer& timer, const TimerModel& model, std::uint64_t& applied) {
  if (!model.armed) {
    timer.stop();
    applied = model.starts;
    return;
  }
  if (applied != model.starts || !timer.isActive()) {
    timer.start(model.intervalMs);
    applied = model.starts;
  }
}

void CycleRunner::applyTimers() {
  WindowModel& w = cycle_->win;
  syncTimer(systime_, w.systime, systimeStarts_);
  syncTimer(checkCom_, w.checkCom, checkComStarts_);
  syncTimer(readCom_, w.readCom, readComStarts_);
  syncTimer(showTime_, w.showTime, showTimeStarts_);
}

bool CycleRunner::start() {
  const bool ok = ButtonStartClick(*cycle_, *io_);
  applyTimers();
  emit changed();
  return ok;
}

void CycleRunner::stop() {
  ButtonStopClick(*cycle_, *io_);
  applyTimers();
  emit changed();
}

void CycleRunner::reset() {
  ButtonResetClick(*cycle_);
  emit changed();
}

void CycleRunner::quit() {
  MenuQuitClick(*cycle_, *io_);
  emit changed();
}

void CycleRunner::onSystime() {
  SystimeTimer(*cycle_, clock());
  applyTimers();
  emit changed();
}

void CycleRunner::onCheckCom() {
  CheckComTimer(*cycle_, *io_, clock());
  applyTimers();
  emit changed();
}

void CycleRunner::onReadCom() {
  ReadComTimer(*cycle_, *io_, clock());
  applyTimers();
  emit changed();
}

void CycleRunner::onShowTime() {
  ShowTimeTimer(*cycle_, clock());
  applyTimers();
  emit changed();
}

}  // namespace lcr
