// The bytes File, Save writes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <random>

#include "files/data_file.h"

using namespace lcr;

namespace {

MeasurementTable TwoRecords() {
  MeasurementTable t;
  Reading r;
  r.DisplayCodes = std::string(kBlankDisplayCodes);
  r.MainValue = "1.234";
  r.MainRange = " 2.000";
  r.MainFunction = std::string("OHMK") + std::string(kGbkOhm);
  AppendRecord(t, r, "10:00:00", kFamily730);
  r.MainValue = "OL";
  AppendRecord(t, r, "10:00:01", kFamily730);
  return t;
}

TEST(DataFile, ExactBytes) {
  const std::string ohm(kGbkOhm);
  EXPECT_EQ(FormatDataFile(TwoRecords()),
            "2      \r\n"
            "1\t10:00:00\t1.234\tOHM 2.000 K" + ohm + "\t\t\t\r\n"
            "2\t10:00:01\tOL\tOHM 2.000 K" + ohm + "\t\t\t\r\n");
  MeasurementTable empty;
  EXPECT_EQ(FormatDataFile(empty), "0      \r\n");
}

TEST(DataFile, WritesAndReplaces) {
  QTemporaryDir dir;
  const QString path = dir.filePath("log.txt");
  {
    QFile old(path);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(10000, 'x'));
  }
  QString error;
  ASSERT_TRUE(WriteDataFile(path, TwoRecords(), &error)) << error.toStdString();
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QByteArray bytes = f.readAll();
  EXPECT_TRUE(bytes.startsWith("2      \r\n1\t"));
  EXPECT_EQ(std::string(bytes.constData(), std::size_t(bytes.size())), FormatDataFile(TwoRecords()));
}

TEST(DataFile, FailureIsReportedNotHidden) {
  QTemporaryDir dir;
  QString error;
  EXPECT_FALSE(WriteDataFile(dir.filePath("missing/dir/log.txt"), TwoRecords(), &error));
  EXPECT_FALSE(error.isEmpty());
}

// The formatter Save used while it built the whole file in memory: the
// stream must give the same bytes.
std::string WholeFileAsBefore(const MeasurementTable& table) {
  std::string out = std::to_string(table.RecordCount) + "      \r\n";
  for (std::int32_t k = 1; k <= table.RecordCount; ++k) {
    const MeasurementRecord& rec = table.rows[std::size_t(k)];
    out += std::to_string(k) + '\t';
    AppendRecordFields(out, rec);
    out += "\t\r\n";
  }
  return out;
}

// Any byte may stand in a stored text; lengths up to past each capacity.
MeasurementTable RandomTable(std::mt19937& rng, int records) {
  const auto text = [&] {
    std::string t(std::uniform_int_distribution<int>(0, 24)(rng), '\0');
    for (char& c : t) c = char(std::uniform_int_distribution<int>(0, 255)(rng));
    return t;
  };
  std::vector<MeasurementRecord> recs(static_cast<std::size_t>(records));
  for (MeasurementRecord& r : recs) {
    r.TimeText.Assign(text());
    r.MainValue.Assign(text());
    r.MainCaption.Assign(text());
    r.SubValue.Assign(text());
    r.SubCaption.Assign(text());
  }
  MeasurementTable t;
  ReplaceRecords(t, recs);
  return t;
}

// Saved a few records at a time, read in reads of any size, the file is
// the one the whole-file formatter made, over many tables (some spanning
// many of the stream's chunks) and many read sizes.
TEST(DataFile, StreamGivesTheBytesOfTheWholeFileFormatter) {
  std::mt19937 rng(1234);
  for (int round = 0; round < 40; ++round) {
    const int records = round < 4 ? round : std::uniform_int_distribution<int>(1, round % 8 == 0 ? 6000 : 300)(rng);
    const MeasurementTable table = RandomTable(rng, records);
    DataFileStream stream(table);
    std::string got;
    std::vector<char> chunk(200000);
    for (;;) {
      const qint64 want = std::uniform_int_distribution<qint64>(1, round % 2 ? 100 : 200000)(rng);
      const qint64 n = stream.read(chunk.data(), want);
      ASSERT_GE(n, 0);
      if (n == 0) break;
      got.append(chunk.data(), std::size_t(n));
    }
    ASSERT_EQ(got, WholeFileAsBefore(table)) << "round " << round << ", " << records << " records";
  }
}

// Cancelled half-way, the save fails as such, the file it would have
// replaced keeps every byte, and nothing is left beside it.
TEST(DataFile, CancelledSaveLeavesTheOldFileAndNoTemporary) {
  QTemporaryDir dir;
  const QString path = dir.filePath("log.txt");
  const std::string old = FormatDataFile(TwoRecords());
  {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(old.data(), qint64(old.size()));
  }
  std::vector<MeasurementRecord> recs(30000, TwoRecords().rows[1]);
  MeasurementTable big;  // a file of a few reads of the safe write
  ReplaceRecords(big, recs);
  int steps = 0;
  QString error;
  EXPECT_FALSE(WriteDataFile(path, big, &error, Progress{[&](qint64, qint64) { return ++steps < 2; }}));
  EXPECT_TRUE(error.endsWith("Cancelled")) << error.toStdString();
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll().toStdString(), old);
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
            QStringList{"log.txt"});
}

}  // namespace
