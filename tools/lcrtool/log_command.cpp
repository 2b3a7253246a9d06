// lcrtool log: headless logging. The live cycle, as the window runs it, with
// the table rewritten into a data file every 10 s and at the end, so a crash
// or a power cut loses at most the last 10 s and the file always opens.
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

#include "session/file_commands.h"
#include "session/table_checkpoint.h"
#include "commands.h"
#include "data_file_input.h"
#include "live_session.h"
#include "publish_options.h"
#include "files/data_file.h"

namespace lcrtool {

namespace {

const std::string kUsage = std::string("usage: lcrtool log (--port PATH | --auto) [--rate N] --out FILE ") + kPublishUsage;

struct LogOptions {
  QString port;
  bool autoDetect = false;
  int rate = 120;
  QString out;
  lcr::PublishSettings publish;
};

// Empty on success, else the message.
std::string ParseOptions(const QStringList& args, LogOptions& o) {
  for (int i = 0; i < args.size(); ++i) {
    const QString& a = args[i];
    // An option at the end, or followed by another option, lacks its value.
    const bool hasValue = i + 1 < args.size() && !args[i + 1].isEmpty() && !args[i + 1].startsWith("--");
    std::string why;
    if (TakePublishOption(args, i, o.publish, &why)) {
      if (!why.empty()) return why + "\n" + kUsage;
    } else if ((a == "--port" || a == "--rate" || a == "--out") && !hasValue) {
      return a.toStdString() + " needs a value\n" + kUsage;
    } else if (a == "--port") {
      o.port = args[++i];
    } else if (a == "--auto") {
      o.autoDetect = true;
    } else if (a == "--rate") {
      bool ok = false;
      o.rate = args[++i].toInt(&ok);
      if (!ok || o.rate < 1 || o.rate > 120) return "--rate takes a whole number from 1 to 120";
    } else if (a == "--out") {
      o.out = args[++i];
    } else if (a.startsWith('-')) {
      return "unknown option " + a.toStdString() + "\n" + kUsage;
    } else {
      return kUsage;
    }
  }
  if (o.out.isEmpty() || o.autoDetect == !o.port.isEmpty()) return kUsage;
  return {};
}

void Say(const char* what) { std::fprintf(stderr, "lcrtool log: %s\n", what); }

// A log that already holds records is continued rather than overwritten;
// anything else with bytes in it is not ours to replace.
bool ContinueExistingLog(const QString& path, lcr::Cycle& c) {
  const QFileInfo info(path);
  if (!info.exists() || !info.isFile() || info.size() == 0) return true;
  QString why;
  const lcr::OpenOutcome outcome = lcr::OpenIntoSession(c, path, &why);
  if (outcome != lcr::OpenOutcome::Opened) {
    lcrtool::Say(lcr::OpenMessage(outcome, path, why, lcr::OpenFor::Continuing), "lcrtool log");
    return false;
  }
  std::fprintf(stderr, "lcrtool log: continuing the %d records already in %s\n", c.table.RecordCount, qPrintable(path));
  return true;
}

std::string Duration(qint64 ms) {
  const qint64 s = ms / 1000;
  char buf[32];
  std::snprintf(buf, sizeof buf, "%lld:%02lld:%02lld", s / 3600, s / 60 % 60, s % 60);
  return buf;
}

}  // namespace

int RunLog(const QStringList& args) {
  LogOptions opt;
  if (const std::string why = ParseOptions(args, opt); !why.empty()) {
    Say(why.c_str());
    return 2;
  }

  auto io = opt.autoDetect ? std::make_unique<lcr::QtSerialIo>()
                           : std::make_unique<lcr::QtSerialIo>(QStringList{opt.port});
  LiveSession session("lcrtool log", std::move(io), opt.rate);
  lcr::Cycle& c = session.cycle();
  if (!ContinueExistingLog(opt.out, c)) return 2;

  std::unique_ptr<lcr::CyclePublishing> publishing =
      StartPublishing("lcrtool log", c, opt.publish, opt.port.toStdString());

  lcr::TableCheckpoint checkpoint(opt.out);
  // A failed checkpoint leaves the file as it was and every record in
  // memory; the next one tries again. Said once per distinct fault, not
  // every 10 s, and once more when a checkpoint succeeds again.
  QString lastError;
  auto save = [&] {
    QString why;
    if (checkpoint.Save(c.table, &why)) {
      if (!lastError.isEmpty())
        std::fprintf(stderr, "lcrtool log: checkpoint written again: %d records in %s\n", checkpoint.recordsWritten(),
                     qPrintable(opt.out));
      lastError.clear();
      return true;
    }
    if (why != lastError) {
      if (checkpoint.recordsWritten() < 0)
        std::fprintf(stderr, "lcrtool log: %s\n", qPrintable(why));
      else
        std::fprintf(stderr,
                     "lcrtool log: the last checkpoint failed (%s); %s still holds %d records, the newer ones are "
                     "kept in memory and tried again at the next checkpoint\n",
                     qPrintable(why), qPrintable(opt.out), checkpoint.recordsWritten());
    }
    lastError = why;
    return false;
  };
  // The file exists, and opens, from the first moment on.
  if (!save()) return 1;

  QTimer rewrite;
  rewrite.setInterval(lcr::kCheckpointIntervalMs);
  QObject::connect(&rewrite, &QTimer::timeout, save);
  rewrite.start();

  const int before = c.table.RecordCount;
  QElapsedTimer clock;
  clock.start();
  session.Run();
  rewrite.stop();
  const bool saved = save();
  FinishPublishing("lcrtool log", publishing);

  // What the file holds, not what was recorded.
  std::string summary = std::to_string(c.table.RecordCount - before) + " samples in " + Duration(clock.elapsed()) +
                        "; " + std::to_string(checkpoint.recordsWritten()) + " records in " + opt.out.toStdString();
  if (!saved)
    summary += "; the last " + std::to_string(c.table.RecordCount - checkpoint.recordsWritten()) +
               " are not in it (" + lastError.toStdString() + ")";
  std::fprintf(stderr, "lcrtool log: %s\n", summary.c_str());
  return saved ? 0 : 1;
}

}  // namespace lcrtool
