// Opening a data file: the format check, and the views after an open.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "app/cycle/cycle.h"
#include "app/cycle/file_commands.h"
#include "log/data_file.h"

using namespace lcr;

namespace {

std::string Line(int k, std::string_view main, std::string_view tail = "\tCAP 20.000 nF\t1.0\tD 2000\t") {
  return std::to_string(k) + "\t12:00:0" + std::to_string(k % 10) + "\t" + std::string(main) + std::string(tail) + "\r\n";
}

std::string File(std::initializer_list<std::string_view> mains) {
  std::string out = std::to_string(mains.size()) + "      \r\n";
  int k = 0;
  for (std::string_view m : mains) out += Line(++k, m);
  return out;
}

bool Parses(const std::string& bytes, std::string_view mark = ".") {
  std::vector<MeasurementRecord> recs;
  return ParseDataFile(bytes, mark, recs);
}

TEST(DataFileOpen, SavedTableComesBackTextForText) {
  MeasurementTable t;
  Reading r;
  r.DisplayCodes = std::string(kBlankDisplayCodes);
  r.MainRange = "20.000";
  r.MainFunction = "CAPnF";
  r.SubFunction = std::string("OHMK") + std::string(kGbkOhm);
  r.SubRange = "2.000";
  for (const char* v : {"1.234", "-OL", "----"}) {
    r.MainValue = v;
    r.SubValue = "0.5";
    AppendRecord(t, r, "09:08:07", kFamily68);
  }
  std::vector<MeasurementRecord> recs;
  ASSERT_TRUE(ParseDataFile(FormatDataFile(t), ".", recs));
  ASSERT_EQ(recs.size(), 3u);
  for (int k = 1; k <= 3; ++k) {
    const MeasurementRecord& a = t.rows[std::size_t(k)];
    const MeasurementRecord& b = recs[std::size_t(k - 1)];
    EXPECT_EQ(a.TimeText.View(), b.TimeText.View());
    EXPECT_EQ(a.MainValue.View(), b.MainValue.View());
    EXPECT_EQ(a.MainCaption.View(), b.MainCaption.View());
    EXPECT_EQ(a.SubValue.View(), b.SubValue.View());
    EXPECT_EQ(a.SubCaption.View(), b.SubCaption.View());
  }
}

TEST(DataFileOpen, MainValueCheck) {
  for (const char* ok : {"12000", "12000.00004", "0.5", "OL", "UL", "LO", "----", "-5", "-OL"})
    EXPECT_TRUE(Parses(File({ok}))) << ok;
  for (const char* bad : {"Pass", "Fail", "Err", "Open", "Short", "HI", "", "12000.5", "19999", "1,5", "abc"})
    EXPECT_FALSE(Parses(File({bad}))) << bad;
  EXPECT_TRUE(Parses(File({"1,5"}), ","));
  EXPECT_FALSE(Parses(File({"1.5"}), ","));
}

TEST(DataFileOpen, LineStructure) {
  EXPECT_TRUE(Parses("0\r\n"));
  EXPECT_TRUE(Parses("  2   \r\n" + Line(1, "1") + Line(2, "2")));
  // The index must count from 1.
  EXPECT_FALSE(Parses("2\r\n" + Line(1, "1") + Line(3, "2")));
  // Five TABs fail; a seventh field is ignored.
  EXPECT_FALSE(Parses("1\r\n1\t12:00:00\t1\tCAP\t1\tD\r\n"));
  EXPECT_TRUE(Parses("1\r\n1\t12:00:00\t1\tCAP\t1\tD\textra\t\r\n"));
  // Fewer lines than the header announces.
  EXPECT_FALSE(Parses("3\r\n" + Line(1, "1") + Line(2, "2")));
  // A header that is no count, or a negative one.
  EXPECT_FALSE(Parses("three\r\n"));
  EXPECT_FALSE(Parses("-1\r\n"));
  EXPECT_FALSE(Parses(""));
  EXPECT_FALSE(Parses("99999999999\r\n"));
  // Plain LF line ends and blank-padded fields are read too.
  std::vector<MeasurementRecord> recs;
  ASSERT_TRUE(ParseDataFile("1\n 1 \t 12:00:00 \t 7.5 \t CAP 2.000 uF \t\t\t\n", ".", recs));
  EXPECT_EQ(recs[0].MainValue.View(), "7.5");
  EXPECT_EQ(recs[0].MainCaption.View(), "CAP 2.000 uF");
  EXPECT_EQ(recs[0].TimeText.View(), "12:00:00");
  // Empty lines do not end the reading early nor loop.
  EXPECT_FALSE(Parses("2\n\n\n"));
}

TEST(DataFileOpen, FieldsAreCutToTheirCapacity) {
  std::vector<MeasurementRecord> recs;
  ASSERT_TRUE(ParseDataFile("1\r\n1\t0123456789abcdefXYZ\t-123456789\tABCDEFGHIJKLMNOPQRSTUVWXYZ\t\t\t\r\n", ".", recs));
  EXPECT_EQ(recs[0].TimeText.View(), "0123456789abcde");
  EXPECT_EQ(recs[0].MainValue.View(), "-123456");
  EXPECT_EQ(recs[0].MainCaption.View(), "ABCDEFGHIJKLMNOPQRST");
}

TEST(DataFileOpen, UnreadableFileIsReported) {
  std::vector<MeasurementRecord> recs;
  QString error;
  EXPECT_EQ(ReadDataFile("/nonexistent/log.txt", ".", recs, &error), OpenOutcome::Unreadable);
  EXPECT_FALSE(error.isEmpty());
}

std::vector<MeasurementRecord> Records(int n) {
  std::vector<MeasurementRecord> recs(static_cast<std::size_t>(n));
  for (int k = 1; k <= n; ++k) {
    recs[std::size_t(k - 1)].MainValue.Assign(std::to_string(k));
    recs[std::size_t(k - 1)].MainCaption.Assign("CAP 2000  nF");
    recs[std::size_t(k - 1)].TimeText.Assign("10:00:00");
  }
  return recs;
}

TEST(DataFileOpen, ViewsShowTheLastRecords) {
  auto c = MakeCycle();
  ShowOpenedTable(*c, Records(3));
  EXPECT_EQ(c->table.RecordCount, 3);
  EXPECT_EQ(c->table.TableCapacity, 20003);
  EXPECT_EQ(c->grid.Row(3).cells[0], "3");
  EXPECT_EQ(c->grid.Row(4).cells[0], "");
  EXPECT_EQ(c->win.scrollBar1.maximum, 200);
  EXPECT_EQ(c->win.scrollBar1.position, 200);
  EXPECT_EQ(c->win.scrollBar2.maximum, 1);
  EXPECT_EQ(c->chart.points.size(), 3u);
  EXPECT_TRUE(c->win.scrollBar1.enabled && c->win.scrollBar2.enabled);

  ShowOpenedTable(*c, Records(300));
  EXPECT_EQ(c->win.scrollBar1.minimum, 200);
  EXPECT_EQ(c->win.scrollBar1.maximum, 300);
  EXPECT_EQ(c->win.scrollBar1.position, 300);
  EXPECT_EQ(c->win.scrollBar2.minimum, 25);
  EXPECT_EQ(c->win.scrollBar2.maximum, 300);
  EXPECT_EQ(c->win.scrollBar2.position, 300);
  EXPECT_EQ(c->grid.Row(25).cells[0], "300");
  EXPECT_EQ(c->chart.ChartFirstRow, 100);

  ShowOpenedTable(*c, {});
  EXPECT_EQ(c->table.RecordCount, 0);
  EXPECT_TRUE(c->chart.points.empty());
  EXPECT_EQ(c->grid.Row(1).cells[0], "");
}

TEST(DataFileOpen, LargePagesKeepTheScrollRangeValid) {
  auto c = MakeCycle();
  ApplySettings(*c, 500, 120);
  ShowOpenedTable(*c, Records(250));
  const ScrollBarModel& b = c->win.scrollBar1;
  EXPECT_LE(b.minimum, b.maximum);
  EXPECT_GE(b.position, b.minimum);
  EXPECT_LE(b.position, b.maximum);
  ApplySettings(*c, 50, 120);
  ShowOpenedTable(*c, Records(10));
  EXPECT_EQ(c->win.scrollBar1.minimum, 50);
  EXPECT_EQ(c->win.scrollBar1.maximum, 50);
}

}  // namespace
