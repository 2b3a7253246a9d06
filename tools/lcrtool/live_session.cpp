#include "live_session.h"

#include <QCoreApplication>
#include <QLocale>
#include <csignal>
#include <cstdio>

#include "decode/gbk.h"

namespace lcrtool {

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

}  // namespace

std::string SampleLine(const lcr::Cycle& c) {
  const lcr::MeasurementRecord& rec = c.table.rows[std::size_t(c.table.RecordCount)];
  std::string line;
  line += rec.TimeText.View();
  line += "  ";
  line += lcr::GbkToUtf8(rec.MainValue.View());
  line += ' ';
  line += lcr::GbkToUtf8(rec.MainCaption.View());
  line += "  |  ";
  line += lcr::GbkToUtf8(rec.SubValue.View());
  line += ' ';
  line += lcr::GbkToUtf8(rec.SubCaption.View());
  return line;
}

LiveSession::LiveSession(std::string verb, std::unique_ptr<lcr::QtSerialIo> io, int ratePerMinute)
    : verb_(std::move(verb)), io_(io.get()), runner_(std::move(io)) {
  lcr::Cycle& c = runner_.cycle();
  lcr::FormCreate(c, QLocale::system());
  lcr::ApplySettings(c, c.win.pointsPerPage, ratePerMinute);

  QObject::connect(&runner_, &lcr::CycleRunner::sampleRecorded, [this] {
    const std::string line = SampleLine(cycle());
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
    if (onSample) onSample();
  });
  QObject::connect(&runner_, &lcr::CycleRunner::changed, [this] { ReportHealth(); });

  startRetry_.setInterval(2000);
  QObject::connect(&startRetry_, &QTimer::timeout, [this] { TryStart(); });
  // A silent meter changes nothing in the cycle; look at the clock as well.
  healthPoll_.setInterval(1000);
  QObject::connect(&healthPoll_, &QTimer::timeout, [this] { ReportHealth(); });
  stopPoll_.setInterval(100);
  QObject::connect(&stopPoll_, &QTimer::timeout, [] {
    if (g_stop) QCoreApplication::quit();
  });
}

void LiveSession::TryStart() {
  running_ = true;
  if (runner_.start()) startRetry_.stop();
  else startRetry_.start();
  ReportHealth();
}

void LiveSession::ReportHealth() {
  const lcr::Cycle& c = cycle();
  const std::string device = c.win.readCom.armed ? io_->DevicePath(c.acq.LinkPort).toStdString() : std::string();
  const std::string text =
      lcr::LinkHealthText(lcr::ObserveLinkHealth(c, running_, device, runner_.clock()));
  if (text == healthShown_) return;
  healthShown_ = text;
  std::fprintf(stderr, "%s: %s\n", verb_.c_str(), text.c_str());
  std::fflush(stderr);
}

void LiveSession::Run() {
  g_stop = 0;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  stopPoll_.start();
  healthPoll_.start();
  TryStart();
  QCoreApplication::exec();
  healthPoll_.stop();
  runner_.quit();
}

}  // namespace lcrtool
