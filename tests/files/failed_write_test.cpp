// A write that fails never replaces the old file and is never reported as
// done: File, Save, the checkpoints of lcrtool log and of the recovery file,
// the workbook, the CSV file, the picture and lcrtool's standard output. The failures are
// real ones: a lowered file size limit (EFBIG from the first write past it)
// and /dev/full (ENOSPC).
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <functional>
#include <tuple>
#include <sys/resource.h>

#include "session/table_checkpoint.h"
#include "files/csv_exporter.h"
#include "files/data_file.h"
#include "files/jpeg_writer.h"
#include "files/spreadsheet_export.h"
#include "files/workbook/xlsx_automation.h"
#include "test_support.h"

namespace {

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "failed_write_test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

// While alive, this process cannot write a file past `bytes`: the write that
// would cross the limit is cut short, and the next fails with EFBIG.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit lowered = old_;
    lowered.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &lowered);
    oldHandler_ = std::signal(SIGXFSZ, SIG_IGN);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, oldHandler_);
  }

 private:
  rlimit old_{};
  void (*oldHandler_)(int) = nullptr;
};

// The same for a child process, set between fork and exec. The signal is
// left as a user's shell leaves it: lcrtool must turn it into a told failure.
void LimitChild(QProcess& p, rlim_t bytes) {
  p.setChildProcessModifier([bytes] {
    rlimit l{};
    getrlimit(RLIMIT_FSIZE, &l);
    l.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &l);
    std::signal(SIGXFSZ, SIG_DFL);
  });
}

lcr::MeasurementTable TableOf(int count) {
  std::vector<lcr::MeasurementRecord> records(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    records[std::size_t(i)].TimeText.Assign("10:00:" + std::to_string(10 + i % 50));
    records[std::size_t(i)].MainValue.Assign(std::to_string(i % 997) + ".25");
    records[std::size_t(i)].MainCaption.Assign("CAP 20.000 nF");
  }
  lcr::MeasurementTable table;
  lcr::ReplaceRecords(table, records);
  return table;
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void Put(const QString& path, const QByteArray& bytes) {
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  ASSERT_EQ(f.write(bytes), bytes.size());
}

QByteArray DataFileOf(int count) { return QByteArray::fromStdString(lcr::FormatDataFile(TableOf(count))); }

// The folder holds only `names`: no temporary was left behind.
void ExpectOnly(const QTemporaryDir& dir, const QStringList& names) {
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), names);
}

// A failure names the file and gives the system's reason.
void ExpectNamed(const QString& error, const QString& path, const char* reason) {
  EXPECT_TRUE(error.contains(path)) << error.toStdString();
  EXPECT_TRUE(error.contains(reason)) << error.toStdString();
}

TEST(FailedWrite, SaveAndCheckpointLeaveTheOldFileAndTryAgain) {
  QTemporaryDir dir;
  const QString path = dir.filePath("x.txt");
  const QByteArray old = DataFileOf(81);
  Put(path, old);
  const lcr::MeasurementTable bigger = TableOf(200);  // about 9 kB, written at once
  ASSERT_GT(lcr::FormatDataFile(bigger).size(), std::size_t(old.size()) + 1024);

  QString error;
  {
    FileSizeLimit limit(rlim_t(old.size()) + 1024);
    EXPECT_FALSE(lcr::WriteDataFile(path, bigger, &error));
  }
  ExpectNamed(error, path, "File too large");
  EXPECT_TRUE(ReadAll(path) == old) << "the old file changed";
  ExpectOnly(dir, {"x.txt"});

  // The recovery file and lcrtool log's file: a failed checkpoint is not
  // taken for a written one, so the next one writes the table again.
  lcr::TableCheckpoint checkpoint(path);
  {
    FileSizeLimit limit(rlim_t(old.size()) + 1024);
    EXPECT_FALSE(checkpoint.Save(bigger, &error));
  }
  EXPECT_TRUE(ReadAll(path) == old) << "the old file changed";
  EXPECT_EQ(checkpoint.recordsWritten(), -1);
  ASSERT_TRUE(checkpoint.Save(bigger, &error)) << error.toStdString();
  EXPECT_TRUE(ReadAll(path).toStdString() == lcr::FormatDataFile(bigger));
  ExpectOnly(dir, {"x.txt"});
}

TEST(FailedWrite, PictureWorkbookAndCsvLeaveTheOldFile) {
  QTemporaryDir dir;
  // A picture of noise, about 10 kB as JPEG.
  std::vector<unsigned char> noise(64 * 48 * 3);
  for (std::size_t i = 0; i < noise.size(); ++i) noise[i] = static_cast<unsigned char>(i * 2654435761u >> 13);
  const lcr::RgbPixels picture{noise.data(), 64, 48, 64 * 3};
  const QString jpeg = dir.filePath("chart.jpg");
  QString error;
  ASSERT_TRUE(lcr::WriteJpegFile(jpeg, lcr::RgbPixels{noise.data(), 8, 8, 64 * 3}, 100, &error));
  const QByteArray oldPicture = ReadAll(jpeg);
  {
    FileSizeLimit limit(4096);
    EXPECT_FALSE(lcr::WriteJpegFile(jpeg, picture, 100, &error));
  }
  ExpectNamed(error, jpeg, "File too large");
  EXPECT_TRUE(ReadAll(jpeg) == oldPicture) << "the old picture changed";

  // The export saves an empty book first; under the limit that one fits, the
  // full one does not, and the good old book must stay.
  const QString book = dir.filePath("table.xlsx");
  const std::array<std::string, 6> header{"Index", "Time", "Main", "Main_Range", "Sub", "Sub_Range"};
  lcr::XlsxAutomationServer server;
  std::string why;
  ASSERT_EQ(lcr::ExportSpreadsheetFile(server, book, TableOf(3), header, {}, &why),
            lcr::SpreadsheetExportOutcome::Saved)
      << why;
  const QByteArray oldBook = ReadAll(book);
  {
    FileSizeLimit limit(64 * 1024);
    EXPECT_EQ(lcr::ExportSpreadsheetFile(server, book, TableOf(20000), header, {}, &why),
              lcr::SpreadsheetExportOutcome::Failed);
  }
  EXPECT_TRUE(QString::fromStdString(why).contains("File too large")) << why;
  EXPECT_TRUE(ReadAll(book) == oldBook) << "the old workbook changed";

  const QString csv = dir.filePath("table.csv");
  ASSERT_TRUE(lcr::CsvExporter().Write(TableOf(3), csv).saved());
  const QByteArray oldCsv = ReadAll(csv);
  lcr::ExportOutcome outcome;
  {
    FileSizeLimit limit(64 * 1024);
    outcome = lcr::CsvExporter().Write(TableOf(20000), csv);
  }
  EXPECT_EQ(outcome.kind, lcr::ExportOutcome::Kind::Failed);
  ExpectNamed(outcome.detail, csv, "File too large");
  EXPECT_TRUE(ReadAll(csv) == oldCsv) << "the old CSV file changed";
  ExpectOnly(dir, {"chart.jpg", "table.csv", "table.xlsx"});
}

// lcrtool run to its end: its exit status and what it said on stderr.
std::pair<int, QByteArray> Lcrtool(const QStringList& args, const std::function<void(QProcess&)>& setUp) {
  App();
  QProcess p;
  setUp(p);
  p.start(LCRTOOL_PATH, args);
  if (!p.waitForFinished(60000)) {
    p.kill();
    p.waitForFinished();
  }
  return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardError()};
}

// A capture of `frames` readings, one frame per read.
QString Capture(int frames) {
  std::string text = lcrtest::HexLine(lcrtest::Concat({lcrtest::Frame730Value(1), lcrtest::Frame730Value(1)})) + "\n";
  for (int i = 1; i <= frames; ++i) text += lcrtest::HexLine(lcrtest::Frame730Value(i)) + "\n";
  return lcrtest::WriteTempFile(QByteArray::fromStdString(text));
}

TEST(FailedWrite, LcrtoolSaysSoAndExitsOne) {
  QTemporaryDir dir;
  const QString path = dir.filePath("x.txt");
  const QByteArray old = DataFileOf(81);
  Put(path, old);
  const QString capture = Capture(200);

  auto [status, err] = Lcrtool({"replay", "--save", path, capture}, [&](QProcess& p) {
    LimitChild(p, rlim_t(old.size()) + 1024);
    p.setStandardOutputFile(QProcess::nullDevice());
  });
  EXPECT_EQ(status, 1);
  ExpectNamed(QString::fromLocal8Bit(err), path, "File too large");
  EXPECT_TRUE(ReadAll(path) == old) << "the old file changed";
  ExpectOnly(dir, {"x.txt"});

  // Standard output on a full disk.
  for (const QStringList& args : {QStringList{"replay", capture}, QStringList{"open", path}}) {
    std::tie(status, err) = Lcrtool(args, [](QProcess& p) { p.setStandardOutputFile("/dev/full"); });
    EXPECT_EQ(status, 1) << args.join(' ').toStdString();
    EXPECT_TRUE(err.contains("standard output could not be written: No space left on device")) << err.constData();
  }
}

// lcrtool log on a file that may not grow: it goes on recording, says that
// the checkpoint failed, and at the end tells what the file really holds.
TEST(FailedWrite, LogKeepsRecordingAndTellsWhatTheFileHolds) {
  App();
  QTemporaryDir dir;
  const QString out = dir.filePath("log.txt");
  const QByteArray old = DataFileOf(81);
  Put(out, old);
  lcrtest::Simulator sim;
  ASSERT_TRUE(sim.Start({"--link", dir.filePath("meter")}));

  QProcess log;
  LimitChild(log, rlim_t(old.size()) + 300);  // room for the first rewrite, not for 10 s more
  log.start(LCRTOOL_PATH, {"log", "--port", dir.filePath("meter"), "--out", out});
  ASSERT_TRUE(log.waitForStarted(5000));
  QByteArray err, printed;
  QElapsedTimer t;
  t.start();
  while (!err.contains("checkpoint failed") && t.elapsed() < 30000 && log.state() == QProcess::Running) {
    log.waitForReadyRead(100);
    err += log.readAllStandardError();
    printed += log.readAllStandardOutput();
  }
  ASSERT_TRUE(err.contains("the last checkpoint failed")) << err.constData();
  ExpectNamed(QString::fromLocal8Bit(err), out, "File too large");
  // Still recording after the failure.
  const qsizetype before = printed.count('\n');
  while (printed.count('\n') < before + 2 && t.elapsed() < 40000) {
    log.waitForReadyRead(100);
    printed += log.readAllStandardOutput();
  }
  EXPECT_GE(printed.count('\n'), before + 2);
  log.terminate();
  ASSERT_TRUE(log.waitForFinished(10000));
  err += log.readAllStandardError();
  EXPECT_EQ(log.exitCode(), 1);
  EXPECT_TRUE(err.contains("; 81 records in " + out.toLocal8Bit() + "; the last ")) << err.constData();
  EXPECT_FALSE(err.contains("Unknown error")) << err.constData();
  EXPECT_TRUE(ReadAll(out) == old) << "the log changed";
  ExpectOnly(dir, {"log.txt", "meter"});
}

}  // namespace
