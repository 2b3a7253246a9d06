// Export CSV File: read back by Python's csv module and by pandas, field by
// field; the date and time of live records across a midnight, and none for
// records opened from a data file.
#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <random>

#include "common/text_and_numbers.h"
#include "files/csv_exporter.h"
#include "files/data_file.h"
#include "session/cycle.h"
#include "session/file_commands.h"
#include "test_support.h"

using namespace lcr;

namespace {

const char* const kHeader[] = {"Index",      "Time",     "Main",      "Main_Range", "Sub",     "Sub_Range",
                               "MainNumber", "MainUnit", "SubNumber", "SubUnit",    "DateTime"};

// A piece of text in the table's GBK and as it must read in UTF-8.
struct Piece {
  const char* gbk;
  const char* utf8;
};
const Piece kPieces[] = {{"A", "A"}, {"z", "z"}, {"7", "7"}, {".", "."}, {",", ","}, {"\"", "\""}, {" ", " "},
                         {"\xA6\xB8", "\xCE\xA9"},       // Ω
                         {"\xA1\xE6", "\xE2\x84\x83"}};  // ℃

// A random text of at most `capacity` GBK bytes, beginning with `first`,
// and what it must read as (trimmed, as the grid shows it).
std::pair<std::string, std::string> RandomText(std::mt19937& rng, std::size_t capacity, const char* first = "") {
  std::string gbk = first, utf8 = first;
  const std::size_t want = std::uniform_int_distribution<std::size_t>(0, capacity)(rng);
  for (;;) {
    const Piece& p = kPieces[rng() % std::size(kPieces)];
    if (gbk.size() + std::strlen(p.gbk) > want) break;
    gbk += p.gbk;
    utf8 += p.utf8;
  }
  return {gbk, std::string(Trim(utf8))};
}

QJsonObject ReadBack(const QString& file) {
  const lcrtest::ProcessResult r =
      lcrtest::RunProgram("/usr/bin/python3", {LCR_SOURCE_DIR "/tests/files/read_csv.py", file});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  return QJsonDocument::fromJson(r.out).object();
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(CsvExport, RandomRecordsReadBackFieldByFieldByCsvAndPandas) {
  if (lcrtest::RunProgram("/usr/bin/python3", {"-c", "import pandas"}).exitCode != 0)
    GTEST_SKIP() << "python3-pandas is not installed";
  // Main values whose base value is known.
  const struct {
    const char *value, *caption, *captionUtf8, *number, *unit;
  } mains[] = {{"1.234", "CAP 200.00 nF", "CAP 200.00 nF", "1.234e-9", "F"},
               {"-0.5", "OHM 2.000 K\xA6\xB8", "OHM 2.000 K\xCE\xA9", "-500", "\xCE\xA9"},
               {"1,5", "OHM 2.000 M\xA6\xB8", "OHM 2.000 M\xCE\xA9", "1.5e6", "\xCE\xA9"},
               {"25.3", "TMP 1000 \xA1\xE6", "TMP 1000 \xE2\x84\x83", "25.3", "\xE2\x84\x83"},
               {"0.001", "IND 2.000 mH", "IND 2.000 mH", "1e-6", "H"},
               {"OL", "CAP 200.00 nF", "CAP 200.00 nF", "", ""},
               {"----", "OHM 2.000 K\xA6\xB8", "OHM 2.000 K\xCE\xA9", "", ""}};
  std::mt19937 rng(15);
  constexpr int kRecords = 3000;
  std::vector<MeasurementRecord> records(kRecords);
  std::vector<std::vector<std::string>> expected;
  for (int i = 0; i < kRecords; ++i) {
    MeasurementRecord& rec = records[std::size_t(i)];
    const auto& m = mains[rng() % std::size(mains)];
    auto time = RandomText(rng, 15), sub = RandomText(rng, 7, "x"), subCaption = RandomText(rng, 20);
    if (i % 7 == 0) subCaption = {"a\r\nb\"c\n", "a\r\nb\"c"};  // line breaks inside a field
    rec.TimeText.Assign(time.first);
    rec.MainValue.Assign(m.value);
    rec.MainCaption.Assign(m.caption);
    rec.SubValue.Assign(sub.first);
    rec.SubCaption.Assign(subCaption.first);
    expected.push_back({std::to_string(i + 1), time.second, m.value, m.captionUtf8, sub.second, subCaption.second,
                        m.number, m.unit, "", "", ""});
  }
  MeasurementTable table;
  ReplaceRecords(table, records);
  QTemporaryDir dir;
  const QString file = dir.filePath("table.csv");
  ASSERT_TRUE(CsvExporter().Write(table, file).saved());
  const QByteArray bytes = ReadAll(file);
  ASSERT_TRUE(bytes.startsWith("Index,Time,Main,Main_Range,Sub,Sub_Range,MainNumber,MainUnit,SubNumber,SubUnit,"
                               "DateTime\r\n"));
  ASSERT_TRUE(bytes.endsWith(",\r\n"));  // no DateTime for rows of a file

  const QJsonObject back = ReadBack(file);
  for (const char* reader : {"csv", "pandas"}) {
    const QJsonArray rows = back.value(reader).toArray();
    ASSERT_EQ(rows.size(), kRecords + 1) << reader;
    for (int c = 0; c < 11; ++c) EXPECT_EQ(rows[0].toArray()[c].toString().toStdString(), kHeader[c]);
    for (int i = 0; i < kRecords; ++i) {
      const QJsonArray row = rows[i + 1].toArray();
      ASSERT_EQ(row.size(), 11) << reader << " row " << i + 1;
      for (int c = 0; c < 11; ++c) {
        const std::string got = row[c].toString().toStdString();
        if (c == 6) {  // the shortest text that reads back as the same number
          const auto& want = expected[std::size_t(i)][6];
          EXPECT_EQ(got.empty() ? 0.0 : std::strtod(got.c_str(), nullptr),
                    want.empty() ? 0.0 : std::strtod(want.c_str(), nullptr));
          EXPECT_EQ(got.empty(), want.empty());
        } else {
          EXPECT_EQ(got, expected[std::size_t(i)][std::size_t(c)]) << reader << " row " << i + 1 << " column " << c;
        }
      }
    }
  }
  // pandas types the numbers itself, "." whatever the locale.
  const QJsonArray numbers = back.value("numbers").toObject().value("MainNumber").toArray();
  ASSERT_EQ(numbers.size(), kRecords);
  for (int i = 0; i < kRecords; ++i) {
    const std::string& want = expected[std::size_t(i)][6];
    if (want.empty())
      EXPECT_TRUE(numbers[i].isNull());
    else
      EXPECT_EQ(numbers[i].toDouble(), std::strtod(want.c_str(), nullptr)) << want;
  }
}

// The DateTime column of a session: live records get their date and the
// local offset, a midnight moves the date on, a file's records have none.
struct CsvDateTest : ::testing::Test, lcrtest::CycleRig {
  static void SetUpTestSuite() {
    setenv("TZ", "Europe/Berlin", 1);
    tzset();
  }
  void Record(const QDateTime& at, int value) {
    io.QueueRead(1, lcrtest::Frame730Value(value));
    ReadComTimer(*c, io, at);
    ASSERT_TRUE(ShowTimeTimer(*c, at));
  }
  // The DateTime of every record, in order.
  std::vector<std::string> DateTimes() {
    QTemporaryDir dir;
    const QString file = dir.filePath("t.csv");
    EXPECT_TRUE(CsvExporter().Write(c->table, file).saved());
    std::vector<std::string> out;
    const QList<QByteArray> lines = ReadAll(file).split('\n');
    for (qsizetype i = 1; i + 1 < lines.size(); ++i) out.push_back(lines[i].mid(lines[i].lastIndexOf(',') + 1).chopped(1).toStdString());
    return out;
  }
};

TEST_F(CsvDateTest, LiveRecordsAcrossMidnightAndOpenedOnesWithout) {
  ASSERT_TRUE(StartAndDetect());
  const QDate day(2026, 12, 9);
  for (int i = 0; i < 5 && !ReadAndTick(lcrtest::Frame730Value(1)); ++i) {
  }
  ButtonResetClick(*c);  // the rig's own clock set the first record's date
  Record(QDateTime(day, QTime(23, 59, 59)), 2);
  Record(QDateTime(day.addDays(1), QTime(0, 0, 0)), 3);
  Record(QDateTime(day.addDays(1), QTime(14, 3, 7)), 4);
  Record(QDateTime(QDate(2027, 6, 30), QTime(12, 0, 0)), 5);  // summer time
  EXPECT_EQ(DateTimes(), (std::vector<std::string>{"2026-12-09T23:59:59+01:00", "2026-12-10T00:00:00+01:00",
                                                   "2026-12-10T14:03:07+01:00", "2027-06-30T12:00:00+02:00"}));

  // Opened from a data file: no dates; a live record after them has its own.
  QTemporaryDir dir;
  QString error;
  ASSERT_TRUE(WriteDataFile(dir.filePath("d.txt"), c->table, &error));
  ASSERT_EQ(OpenIntoSession(*c, dir.filePath("d.txt"), &error), OpenOutcome::Opened);
  Record(QDateTime(day, QTime(8, 0, 0)), 6);
  EXPECT_EQ(DateTimes(), (std::vector<std::string>{"", "", "", "", "2026-12-09T08:00:00+01:00"}));

  // Reset forgets them all; the next records are dated anew.
  ButtonResetClick(*c);
  Record(QDateTime(day.addDays(2), QTime(9, 0, 0)), 7);
  EXPECT_EQ(DateTimes(), (std::vector<std::string>{"2026-12-11T09:00:00+01:00"}));
  EXPECT_EQ(c->table.days.RunCount(), 1u);
}

// A cancelled export leaves no file; lcrtool writes what the menu writes.
TEST(CsvExport, CancelLeavesNoFileAndLcrtoolWritesTheSame) {
  std::vector<MeasurementRecord> records(70000);
  for (MeasurementRecord& rec : records) {
    rec.TimeText.Assign("10:00:00");
    rec.MainValue.Assign("1.5");
    rec.MainCaption.Assign("CAP 200.00 nF");
  }
  MeasurementTable table;
  ReplaceRecords(table, records);
  QTemporaryDir dir;
  const QString file = dir.filePath("t.csv");
  const Progress cancel{[](qint64 done, qint64) { return done < 30000; }};
  EXPECT_EQ(CsvExporter().Write(table, file, cancel).kind, ExportOutcome::Kind::Cancelled);
  EXPECT_FALSE(QFile::exists(file));

  QString error;
  ASSERT_TRUE(WriteDataFile(dir.filePath("d.txt"), table, &error));
  ASSERT_TRUE(CsvExporter().Write(table, file).saved());
  const lcrtest::ProcessResult r =
      lcrtest::RunProgram(LCRTOOL_PATH, {"export", "--format", "csv", dir.filePath("d.txt"), dir.filePath("l.csv")});
  ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_TRUE(ReadAll(dir.filePath("l.csv")) == ReadAll(file));
}

}  // namespace
