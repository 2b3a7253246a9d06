// lcrtool replay: the acquisition cycle on scripted reads, with a virtual
// clock, printing one JSON line per display tick that recorded a sample.
#include <QFile>
#include <QLocale>
#include <cstdio>

#include "app/cycle/cycle.h"
#include "commands.h"
#include "link/replay_script.h"
#include "link/scripted_serial_io.h"
#include "log/data_file.h"
#include "replay_output.h"

namespace lcrtool {

namespace {

struct ReplayOptions {
  std::string decimalMark = ".";
  int rate = 120;
  int points = 200;
  QString savePath;
  QString file;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "lcrtool replay: %s\n", message.c_str());
  return 2;
}

bool ParseInt(const QString& text, int low, int high, int& out) {
  bool ok = false;
  const int v = text.toInt(&ok);
  if (!ok || v < low || v > high) return false;
  out = v;
  return true;
}

// Returns an empty string on success, else the message.
std::string ParseOptions(const QStringList& args, ReplayOptions& o) {
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    auto value = [&](QString& out) {
      if (i + 1 >= args.size()) return false;
      out = args[++i];
      return true;
    };
    QString v;
    if (a == "--decimal-mark") {
      if (!value(v) || (v != "." && v != ",")) return "--decimal-mark takes . or ,";
      o.decimalMark = v.toStdString();
    } else if (a == "--rate") {
      if (!value(v) || !ParseInt(v, 1, 120, o.rate)) return "--rate takes a whole number from 1 to 120";
    } else if (a == "--points") {
      if (!value(v) || !ParseInt(v, 50, 500, o.points)) return "--points takes a whole number from 50 to 500";
    } else if (a == "--save") {
      if (!value(v) || v.isEmpty()) return "--save takes a file name";
      o.savePath = v;
    } else if (a.startsWith("--")) {
      return "unknown option " + a.toStdString();
    } else if (o.file.isEmpty()) {
      o.file = a;
    } else {
      return "only one FILE may be given";
    }
  }
  if (o.file.isEmpty()) return "usage: lcrtool replay [--decimal-mark .|,] [--rate N] [--points P] [--save OUT] FILE";
  return {};
}

}  // namespace

int RunReplay(const QStringList& args) {
  ReplayOptions opt;
  if (std::string why = ParseOptions(args, opt); !why.empty()) return Fail(why);

  QFile file(opt.file);
  if (!file.open(QIODevice::ReadOnly)) return Fail("cannot read " + opt.file.toStdString() + ": " + file.errorString().toStdString());
  const QByteArray text = file.readAll();
  lcr::ReplayScript script;
  std::string error;
  if (!lcr::ParseReplayScript(std::string_view(text.constData(), std::size_t(text.size())), script, &error))
    return Fail(opt.file.toStdString() + ": " + error);

  // Start-up as the main window does it.
  auto cycle = lcr::MakeCycle();
  lcr::Cycle& c = *cycle;
  lcr::FormCreate(c, QLocale::c());
  c.acq.DecimalMark = opt.decimalMark;
  lcr::ApplySettings(c, opt.points, opt.rate);

  lcr::ScriptedSerialIo io;
  io.SetOpenablePorts({1});
  io.SetLogCalls(false);
  for (auto& read : script.reads) io.QueueRead(1, std::move(read));

  // The virtual clock starts at midnight when the meter is detected.
  const QDateTime origin(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
  lcr::ButtonStartClick(c, io);
  bool detected = false;
  while (!detected && io.PendingReads(1) > 0) detected = lcr::CheckComTimer(c, io, origin);
  if (!detected) return 0;

  long long tick = 0;
  std::string line;
  c.onSampleRecorded = [&] {
    line = FormatReplayLine(c, tick);
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  };
  const qint64 interval = c.win.showTime.intervalMs;
  while (io.PendingReads(1) > 0) {
    const QDateTime passTime = origin.addMSecs(tick * interval);
    lcr::ReadComTimer(c, io, passTime);
    ++tick;
    lcr::ShowTimeTimer(c, origin.addMSecs(tick * interval));
  }
  std::fflush(stdout);

  if (!opt.savePath.isEmpty() && c.table.RecordCount > 0) {
    QString why;
    if (!lcr::WriteDataFile(opt.savePath, c.table, &why))
      return Fail("cannot write " + opt.savePath.toStdString() + ": " + why.toStdString());
  }
  return 0;
}

}  // namespace lcrtool
