// Opening a data file: the format check, and the views after an open.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QIODevice>
#include <QTemporaryDir>

#include "session/cycle.h"
#include "session/file_commands.h"
#include "decode/decode68.h"
#include "decode/decode730.h"
#include "files/data_file.h"
#include "simulator/scenarios.h"

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

bool Parses(const std::string& bytes) {
  MeasurementTable t;
  return ParseDataFile(bytes, t);
}

void ExpectSameTexts(const MeasurementRecord& a, const MeasurementRecord& b) {
  EXPECT_EQ(a.TimeText.View(), b.TimeText.View());
  EXPECT_EQ(a.MainValue.View(), b.MainValue.View());
  EXPECT_EQ(a.MainCaption.View(), b.MainCaption.View());
  EXPECT_EQ(a.SubValue.View(), b.SubValue.View());
  EXPECT_EQ(a.SubCaption.View(), b.SubCaption.View());
}

// Saves the table and opens the file again: every record comes back text for text.
void ExpectRoundTrip(const MeasurementTable& t) {
  MeasurementTable opened;
  ASSERT_TRUE(ParseDataFile(FormatDataFile(t), opened));
  ASSERT_EQ(opened.RecordCount, t.RecordCount);
  for (int k = 1; k <= t.RecordCount; ++k) {
    SCOPED_TRACE("record " + std::to_string(k));
    ExpectSameTexts(t.rows[std::size_t(k)], opened.rows[std::size_t(k)]);
  }
}

// Every display the simulated meters show, of both families and with either
// decimal mark, is recorded, saved and opened again unchanged.
TEST(DataFileOpen, EveryScenarioComesBackTextForText) {
  for (std::string_view name : sim::kScenarioNames) {
    for (int family : {kFamily730, kFamily68}) {
      for (std::string_view mark : {".", ","}) {
        SCOPED_TRACE(std::string(name) + " " + std::to_string(family) + " " + std::string(mark));
        const sim::Scenario scenario = *sim::ParseScenario(name);
        MeasurementTable t;
        for (int step = 0; step < sim::ScenarioPeriod(scenario, family); ++step) {
          const sim::ScenarioStep s = sim::ScenarioFrame(scenario, family, std::uint64_t(step));
          Reading r;
          if (s.family == kFamily730) Decode730Frame(s.frame.data(), r, mark);
          else Decode68Frame(s.frame.data(), r, mark);
          if (HoldsReading(r.DisplayCodes)) AppendRecord(t, r, "10:00:00", s.family);
        }
        ASSERT_GT(t.RecordCount, 0);
        ExpectRoundTrip(t);
      }
    }
  }
}

// The check of the main value accepts what the decoders write and what a
// person would type as a number, and refuses what is no record.
TEST(DataFileOpen, MainValueCheck) {
  for (const char* ok : {"12000", "19999", "50000", "1234567", "0.5", "1,5", "-0,25", "1e5", "", " 12 ",
                         "-", "OL", "-OL", "UL", "LO", "HI", "----", "-----", "Pass", "Fail", "Err", "Open",
                         "Short", "Space", "-Pass", "1U2.3", "-HHH", "1N", "L.LL"})
    EXPECT_TRUE(Parses(File({ok}))) << ok;
  for (const char* bad : {"abc", "OLX", "pass", "1.2.3", "12 34", "--5", "1000.5e+0", "+", "1,2.3"})
    EXPECT_FALSE(Parses(File({bad}))) << bad;
}

// A file that opens once opens again after it is saved: the value is checked
// as the table holds it, cut to seven characters.
TEST(DataFileOpen, WhatOpensSavesAndOpensAgain) {
  for (const char* v : {"1000.5e+0", "12345.67e8", " 12 ", "-123456789", "Short  x"}) {
    MeasurementTable t;
    if (!ParseDataFile(File({v}), t)) continue;
    ExpectRoundTrip(t);
  }
  EXPECT_FALSE(Parses(File({"1000.5e+0"})));
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
  // Plain LF line ends; blanks around a field pass the checks and are kept.
  MeasurementTable t;
  ASSERT_TRUE(ParseDataFile("1\n 1 \t 12:00:00 \t 7.5 \t    MANU  20000  \t\t\t\n", t));
  EXPECT_EQ(t.rows[1].MainValue.View(), " 7.5 ");
  EXPECT_EQ(t.rows[1].MainCaption.View(), "    MANU  20000  ");
  EXPECT_EQ(t.rows[1].TimeText.View(), " 12:00:00 ");
  // Empty lines do not end the reading early nor loop.
  EXPECT_FALSE(Parses("2\n\n\n"));
}

TEST(DataFileOpen, FieldsAreCutToTheirCapacity) {
  MeasurementTable t;
  ASSERT_TRUE(ParseDataFile("1\r\n1\t0123456789abcdefXYZ\t-123456789\tABCDEFGHIJKLMNOPQRSTUVWXYZ\t\t\t\r\n", t));
  EXPECT_EQ(t.rows[1].TimeText.View(), "0123456789abcde");
  EXPECT_EQ(t.rows[1].MainValue.View(), "-123456");
  EXPECT_EQ(t.rows[1].MainCaption.View(), "ABCDEFGHIJKLMNOPQRST");
}

TEST(DataFileOpen, UnreadableFileIsReported) {
  MeasurementTable t;
  QString error;
  EXPECT_EQ(ReadDataFile("/nonexistent/log.txt", t, &error), OpenOutcome::Unreadable);
  EXPECT_FALSE(error.isEmpty());
}

// A device that does not end: `head` once, then `fill` over and over, like
// /dev/zero or a FIFO someone keeps writing into. Counts what was read. (It
// gives up after 64 MiB, so that a reader that reads everything fails the
// test rather than the machine.)
class EndlessDevice : public QIODevice {
 public:
  EndlessDevice(std::string head, char fill) : head_(std::move(head)), fill_(fill) { open(QIODevice::ReadOnly); }
  bool isSequential() const override { return true; }
  qint64 pulled = 0;

 protected:
  qint64 readData(char* data, qint64 max) override {
    max = std::min(max, (qint64(64) << 20) - pulled);
    for (qint64 i = 0; i < max; ++i, ++pulled)
      data[i] = std::size_t(pulled) < head_.size() ? head_[std::size_t(pulled)] : fill_;
    return max;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  std::string head_;
  char fill_;
};

// An endless input is refused once it can no longer be a data file, after
// reading a few chunks at most: zeros, a count line of endless digits or
// blanks, a record line that never ends.
TEST(DataFileOpen, EndlessInputIsRefusedAfterABoundedRead) {
  const struct {
    std::string head;
    char fill;
  } inputs[] = {{"", '\0'}, {"", '7'}, {"3", ' '}, {"2\r\n1\t10:00:00\t1.5\t", 'x'}};
  for (const auto& in : inputs) {
    EndlessDevice device(in.head, in.fill);
    MeasurementTable t;
    EXPECT_EQ(ReadDataFile(device, t, nullptr), OpenOutcome::Invalid) << in.head << in.fill;
    EXPECT_LE(device.pulled, 1 << 20) << in.head << in.fill;
    EXPECT_EQ(t.RecordCount, 0);
  }
}

MeasurementTable Records(int n) {
  std::vector<MeasurementRecord> recs(static_cast<std::size_t>(n));
  for (int k = 1; k <= n; ++k) {
    recs[std::size_t(k - 1)].MainValue.Assign(std::to_string(k));
    recs[std::size_t(k - 1)].MainCaption.Assign("CAP 2000  nF");
    recs[std::size_t(k - 1)].TimeText.Assign("10:00:00");
  }
  MeasurementTable t;
  ReplaceRecords(t, recs);
  return t;
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

  ShowOpenedTable(*c, Records(0));
  EXPECT_EQ(c->table.RecordCount, 0);
  EXPECT_TRUE(c->chart.points.empty());
  EXPECT_EQ(c->grid.Row(1).cells[0], "");
}

// A cancelled or invalid Open leaves the table exactly as it was, rows
// past the records included; only a whole file replaces it.
TEST(DataFileOpen, OnlyAWholeFileReplacesTheTable) {
  const MeasurementTable before = Records(3);
  const std::string file = FormatDataFile(Records(10000));
  const auto expectUnchanged = [&](const MeasurementTable& t) {
    EXPECT_EQ(t.RecordCount, 3);
    EXPECT_EQ(t.TableCapacity, before.TableCapacity);
    ASSERT_EQ(t.rows.size(), before.rows.size());
    for (std::size_t k = 0; k < 6; ++k) ExpectSameTexts(t.rows[k], before.rows[k]);
  };
  for (int cancelAt : {1, 2}) {
    MeasurementTable t = Records(3);
    QString why;
    QByteArray raw = QByteArray::fromRawData(file.data(), qsizetype(file.size()));
    QBuffer in(&raw);
    in.open(QIODevice::ReadOnly);
    int steps = 0;
    EXPECT_EQ(ReadDataFile(in, t, &why, Progress{[&](qint64, qint64) { return ++steps < cancelAt; }}),
              OpenOutcome::Cancelled);
    EXPECT_EQ(why, "Cancelled");
    expectUnchanged(t);
  }
  MeasurementTable t = Records(3);
  EXPECT_FALSE(ParseDataFile(file.substr(0, file.size() - 3), t));
  expectUnchanged(t);
  ASSERT_TRUE(ParseDataFile(file, t));
  EXPECT_EQ(t.RecordCount, 10000);
  EXPECT_EQ(t.TableCapacity, 30000);
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
