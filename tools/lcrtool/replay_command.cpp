// lcrtool replay: the acquisition cycle on scripted reads, with a virtual
// clock, printing one JSON line per display tick that recorded a sample.
#include <QFile>
#include <QLocale>
#include <cstdio>

#include "session/cycle.h"
#include "commands.h"
#include "data_file_input.h"
#include "link/replay_script.h"
#include "link/scripted_serial_io.h"
#include "files/data_file.h"
#include "replay_output.h"
#include "publish_options.h"
#include "std_output.h"

namespace lcrtool {

namespace {

struct ReplayOptions {
  std::string decimalMark = ".";
  int rate = 120;
  int points = 200;
  QString savePath;
  QString file;
  lcr::PublishSettings publish;
};

int Fail(const std::string& message) {
  std::fprintf(stderr, "lcrtool replay: %s\n", message.c_str());
  return 2;
}

// A name as typed, with control characters shown as \xNN.
std::string ShownName(const QString& name) {
  std::string out;
  for (const QChar ch : name) {
    if (ch.category() == QChar::Other_Control) {
      char buf[8];
      std::snprintf(buf, sizeof buf, ch.unicode() < 0x100 ? "\\x%02X" : "\\u%04X", unsigned(ch.unicode()));
      out += buf;
    } else {
      out += QString(ch).toStdString();
    }
  }
  return out;
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
    std::string why;
    if (TakePublishOption(args, i, o.publish, &why)) {
      if (!why.empty()) return why;
    } else if (a == "--decimal-mark") {
      if (!value(v) || (v != "." && v != ",")) return "--decimal-mark takes . or ,";
      o.decimalMark = v.toStdString();
    } else if (a == "--rate") {
      if (!value(v) || !ParseInt(v, 1, 120, o.rate)) return "--rate takes a whole number from 1 to 120";
    } else if (a == "--points") {
      if (!value(v) || !ParseInt(v, 50, 500, o.points)) return "--points takes a whole number from 50 to 500";
    } else if (a == "--save") {
      if (!value(v) || v.isEmpty()) return "--save takes a file name";
      o.savePath = v;
    } else if (a == "--" && i + 1 < args.size() && o.file.isEmpty()) {
      o.file = args[++i];  // a FILE whose name starts with '-'
    } else if (a.startsWith('-') && a != "-") {
      return "unknown option " + ShownName(a);
    } else if (o.file.isEmpty()) {
      o.file = a;
    } else {
      return "only one FILE may be given";
    }
  }
  if (o.file.isEmpty())
    return std::string("usage: lcrtool replay [--decimal-mark .|,] [--rate N] [--points P] [--save OUT] ") +
           kPublishUsage + " FILE";
  return {};
}

}  // namespace

int RunReplay(const QStringList& args) {
  ReplayOptions opt;
  if (std::string why = ParseOptions(args, opt); !why.empty()) return Fail(why);

  // The capture is read a line at a time, never held whole. One that can be
  // read twice is checked through first, so that a malformed line anywhere
  // stops the run before anything is printed; a stream is checked as it goes.
  QFile file(opt.file);
  const bool opened = opt.file == "-" ? file.open(stdin, QIODevice::ReadOnly) : file.open(QIODevice::ReadOnly);
  if (!opened) return Fail("cannot read " + ShownName(opt.file) + ": " + file.errorString().toStdString());
  if (!file.isSequential()) {
    lcr::ReplayScriptReader check(file);
    std::vector<unsigned char> read;
    while (check.Next(read)) {
    }
    if (!check.Error().empty()) return Fail(ShownName(opt.file) + ": " + check.Error());
    if (!file.seek(0)) return Fail("cannot read " + ShownName(opt.file) + " again: " + file.errorString().toStdString());
  }
  lcr::ReplayScriptReader script(file);

  // Start-up as the main window does it.
  auto cycle = lcr::MakeCycle();
  lcr::Cycle& c = *cycle;
  lcr::FormCreate(c, QLocale::c());
  c.acq.DecimalMark = opt.decimalMark;
  lcr::ApplySettings(c, opt.points, opt.rate);

  lcr::ScriptedSerialIo io;
  io.SetOpenablePorts({1});
  io.SetLogCalls(false);
  io.SetReadSource([&script](int, lcr::ScriptedSerialIo::Bytes& read) { return script.Next(read); });

  // The virtual clock starts at midnight when the meter is detected.
  const QDateTime origin(QDate(2000, 1, 1), QTime(0, 0), Qt::UTC);
  lcr::ButtonStartClick(c, io);
  bool detected = false;
  while (!detected && !script.AtEnd()) detected = lcr::CheckComTimer(c, io, origin);

  long long tick = 0;
  std::string line;
  c.onSampleRecorded = [&] {
    line = FormatReplayLine(c, tick);
    line += '\n';
    Print(line);  // a failure is told once the run has ended
  };
  // After the printing hook, which it chains; the output stays as it is.
  std::unique_ptr<lcr::CyclePublishing> publishing = StartPublishing("lcrtool replay", c, opt.publish, {});
  const qint64 interval = c.win.showTime.intervalMs;
  while (detected && !script.AtEnd()) {
    const QDateTime passTime = origin.addMSecs(tick * interval);
    lcr::ReadComTimer(c, io, passTime);
    ++tick;
    lcr::ShowTimeTimer(c, origin.addMSecs(tick * interval));
  }
  const bool printed = OutputComplete("lcrtool replay");
  FinishPublishing("lcrtool replay", publishing);
  if (!script.Error().empty()) return Fail(ShownName(opt.file) + ": " + script.Error());

  // The table is saved even when stdout failed: what was recorded is kept.
  bool saved = true;
  if (!opt.savePath.isEmpty()) {
    if (c.table.RecordCount == 0)
      std::fprintf(stderr, "lcrtool replay: nothing was recorded; %s was not written\n", ShownName(opt.savePath).c_str());
    QString why;
    if (c.table.RecordCount > 0 && !lcr::WriteDataFile(opt.savePath, c.table, &why)) {
      Say(lcr::SaveMessage(false, false, why), "lcrtool replay");
      saved = false;
    }
  }
  return printed && saved ? 0 : 1;
}

}  // namespace lcrtool
