// The bytes File, Save writes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

}  // namespace
