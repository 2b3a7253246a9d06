// lcrtool log against the simulator: kill -9 loses at most the samples since
// the last rewrite, SIGTERM writes them all, a second run continues the file,
// and a file that is not a data file is left alone.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include "files/data_file.h"
#include "test_support.h"

namespace {

std::vector<lcr::MeasurementRecord> ReadLog(const QString& path, bool* opened) {
  lcr::MeasurementTable table;
  *opened = lcr::ReadDataFile(path, table, nullptr) == lcr::OpenOutcome::Opened;
  std::vector<lcr::MeasurementRecord> records;
  for (std::int32_t k = 1; k <= table.RecordCount; ++k) records.push_back(table.rows[std::size_t(k)]);
  return records;
}

// Waits until `done` holds, up to `ms`.
template <typename F>
bool WaitFor(F done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QThread::msleep(100);
  }
  return true;
}

QList<QByteArray> Lines(QProcess& p) {
  QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
  lines.removeAll(QByteArray());
  return lines;
}

}  // namespace

TEST(LogCommand, KillLosesAtMostTheLastRewriteAndARestartContinues) {
  int argc = 1;
  char name[] = "log_command_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  const QString meter = dir.filePath("meter");
  const QString out = dir.filePath("log.txt");
  lcrtest::Simulator sim;
  ASSERT_TRUE(sim.Start({"--link", meter}));

  QProcess log;
  log.start(LCRTOOL_PATH, {"log", "--port", meter, "--out", out});
  bool opened = false;
  ASSERT_TRUE(WaitFor([&] { return !ReadLog(out, &opened).empty(); }, 30000));
  QThread::msleep(1500);
  log.kill();
  ASSERT_TRUE(log.waitForFinished(5000));
  const QList<QByteArray> printed = Lines(log);
  const std::vector<lcr::MeasurementRecord> kept = ReadLog(out, &opened);
  ASSERT_TRUE(opened);
  // Every record kept is a sample printed, in order; at most 10 s of samples
  // at 2 a second (and one in flight) are missing.
  ASSERT_LE(kept.size(), std::size_t(printed.size()));
  EXPECT_LE(std::size_t(printed.size()) - kept.size(), 21u);
  for (std::size_t i = 0; i < kept.size(); ++i) {
    const QByteArray start = QByteArray::fromStdString(kept[i].TimeText.Str() + "  " + kept[i].MainValue.Str() + " ");
    EXPECT_TRUE(printed[qsizetype(i)].startsWith(start)) << i << ": " << printed[qsizetype(i)].constData();
  }

  // Again on the same file, ended by SIGTERM: the records kept, then every
  // sample of this run.
  QProcess again;
  again.start(LCRTOOL_PATH, {"log", "--port", meter, "--out", out});
  ASSERT_TRUE(WaitFor([&] { again.waitForReadyRead(100); return again.bytesAvailable() > 100; }, 20000));
  again.terminate();
  ASSERT_TRUE(again.waitForFinished(10000));
  EXPECT_EQ(again.exitCode(), 0);
  const QList<QByteArray> printedAgain = Lines(again);
  const std::vector<lcr::MeasurementRecord> all = ReadLog(out, &opened);
  ASSERT_TRUE(opened);
  EXPECT_EQ(all.size(), kept.size() + std::size_t(printedAgain.size()));
  const QByteArray err = again.readAllStandardError();
  EXPECT_TRUE(err.contains("continuing the")) << err.constData();
  EXPECT_TRUE(err.contains("Meter on " + meter.toUtf8())) << err.constData();

  // A mistyped name that holds something else is never overwritten.
  const QString precious = dir.filePath("notes.txt");
  {
    QFile f(precious);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("shopping list\n");
  }
  const lcrtest::ProcessResult r = lcrtest::RunProgram(LCRTOOL_PATH, {"log", "--port", meter, "--out", precious});
  EXPECT_EQ(r.exitCode, 2);
  QFile f(precious);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "shopping list\n");
}

namespace {

// A mistyped command line is told what was wrong; every verb tells its usage.
TEST(LcrtoolOptions, AMissingValueIsNamedAndEveryVerbHasHelp) {
  const QList<QStringList> missing = {{"log", "--auto", "--out", "x.dat", "--port"},
                                      {"log", "--port", "--out", "x.dat"},
                                      {"log", "--auto", "--rate"},
                                      {"log", "--auto", "--out"},
                                      {"watch", "--rate"}};
  for (const QStringList& args : missing) {
    const lcrtest::ProcessResult r = lcrtest::RunProgram(LCRTOOL_PATH, args);
    EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(r.err.contains("needs a value")) << args.join(' ').toStdString() << ": " << r.err.toStdString();
    EXPECT_FALSE(r.err.contains("unknown option")) << r.err.toStdString();
  }
  const lcrtest::ProcessResult small = lcrtest::RunProgram(LCRTOOL_PATH, {"simulate", "--interval", "1"});
  EXPECT_EQ(small.exitCode, 2);
  EXPECT_TRUE(small.err.contains("from 10")) << small.err.toStdString();

  for (const char* verb : {"replay", "watch", "log", "ports", "simulate", "open", "workbook", "graph"}) {
    const lcrtest::ProcessResult r = lcrtest::RunProgram(LCRTOOL_PATH, {verb, "--help"});
    EXPECT_EQ(r.exitCode, 0) << verb;
    EXPECT_TRUE(r.out.startsWith(QByteArray("usage: lcrtool ") + verb)) << verb << ": " << r.out.toStdString();
  }
}

}  // namespace
