#include "live_session.h"

#include <QCoreApplication>
#include <QLocale>
#include <csignal>
#include <cstdio>

#include "decode/gbk.h"
#include "std_output.h"

namespace lcrtool {

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

// The line printed for the newest record: time, main value and caption, then
// the sub value and caption, in UTF-8.
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

}  // namespace

LiveSession::LiveSession(std::string verb, std::unique_ptr<lcr::QtSerialIo> io, int ratePerMinute)
    : verb_(std::move(verb)), runner_(std::move(io)) {
  lcr::Cycle& c = runner_.cycle();
  lcr::FormCreate(c, QLocale::system());
  lcr::ApplySettings(c, c.win.pointsPerPage, ratePerMinute);

  QObject::connect(&runner_, &lcr::CycleRunner::sampleRecorded, [this] { PrintSample(); });
  QObject::connect(&runner_, &lcr::CycleRunner::linkHealthChanged, [this] { ReportHealth(); });

  startRetry_.setInterval(2000);
  QObject::connect(&startRetry_, &QTimer::timeout, [this] { TryStart(); });
  stopPoll_.setInterval(100);
  QObject::connect(&stopPoll_, &QTimer::timeout, [] {
    if (g_stop) QCoreApplication::quit();
  });
}

void LiveSession::TryStart() {
  if (runner_.start()) startRetry_.stop();
  else startRetry_.start();
}

void LiveSession::PrintSample() {
  if (outputLost_) return;
  if (Print(SampleLine(cycle()) + '\n') && FlushOutput()) return;
  outputLost_ = true;
  OutputComplete(verb_.c_str());  // says why on stderr
  if (endsWithOutput_) QCoreApplication::quit();
}

// The cycle tells each change of the link's health once, as the window's
// last status panel shows it.
void LiveSession::ReportHealth() {
  std::fprintf(stderr, "%s: %s\n", verb_.c_str(), lcr::LinkHealthAdvice(cycle().link.state).c_str());
  std::fflush(stderr);
}

void LiveSession::Run() {
  g_stop = 0;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  stopPoll_.start();
  TryStart();
  QCoreApplication::exec();
  runner_.quit();
}

}  // namespace lcrtool
