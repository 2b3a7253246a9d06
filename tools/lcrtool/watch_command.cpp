// lcrtool watch: the live cycle on the serial ports with the real clock,
// printing one line per recorded sample on stdout, and every change of the
// link's health (the window's last status panel) on stderr.
#include <QCoreApplication>
#include <QLocale>
#include <QTimer>
#include <csignal>
#include <cstdio>

#include "app/cycle/cycle_runner.h"
#include "commands.h"
#include "decode/gbk.h"
#include "link/qt_serial_io.h"

namespace lcrtool {

namespace {

volatile std::sig_atomic_t g_stop = 0;
void OnSignal(int) { g_stop = 1; }

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

int RunWatch(const QStringList& args) {
  int rate = 120;
  for (int i = 0; i < args.size(); ++i) {
    bool ok = false;
    if (args[i] == "--rate" && i + 1 < args.size()) {
      rate = args[++i].toInt(&ok);
      if (ok && rate >= 1 && rate <= 120) continue;
    }
    std::fputs("lcrtool watch: usage: lcrtool watch [--rate N]  (N from 1 to 120)\n", stderr);
    return 2;
  }

  lcr::CycleRunner runner(std::make_unique<lcr::QtSerialIo>());
  lcr::Cycle& c = runner.cycle();
  lcr::FormCreate(c, QLocale::system());
  lcr::ApplySettings(c, c.win.pointsPerPage, rate);

  QObject::connect(&runner, &lcr::CycleRunner::sampleRecorded, [&c] {
    const std::string line = SampleLine(c);
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
  });
  QObject::connect(&runner, &lcr::CycleRunner::linkHealthChanged, [&c] {
    std::fprintf(stderr, "lcrtool watch: %s\n", lcr::LinkHealthText(c.link.state).c_str());
  });
  QObject::connect(&runner, &lcr::CycleRunner::panelReset, [&c](int family) {
    std::fprintf(stderr, "lcrtool watch: meter of family %d\n", family);
  });

  // Start; with no port to open, try again every two seconds (the health
  // line said so once).
  QTimer retry;
  retry.setInterval(2000);
  auto tryStart = [&] {
    if (runner.start())
      retry.stop();
    else
      retry.start();
  };
  QObject::connect(&retry, &QTimer::timeout, tryStart);
  tryStart();

  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  QTimer stopPoll;
  QObject::connect(&stopPoll, &QTimer::timeout, [] {
    if (g_stop) QCoreApplication::quit();
  });
  stopPoll.start(100);
  QCoreApplication::exec();
  runner.quit();
  return 0;
}

}  // namespace lcrtool
