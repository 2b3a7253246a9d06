// The views as the cycle drives them: the display tick, the scroll bars and
// Reset.
#include <gtest/gtest.h>

#include "session/cycle.h"
#include "session/view_updates.h"
#include "link/scripted_serial_io.h"
#include "test_support.h"

using namespace lcr;
using lcrtest::Concat;
using lcrtest::Frame730Value;

namespace {

struct ViewsCycleTest : ::testing::Test, lcrtest::CycleRig {
  void SetUp() override {
    ASSERT_TRUE(StartAndDetect());
    Sample(1);  // the first two decoded frames are never recorded
  }

  void Sample(int value) { ReadAndTick(Frame730Value(value)); }
  void SampleUntil(int records) {
    while (c->table.RecordCount < records) Sample(c->table.RecordCount + 1);
  }
  std::string Grid(int gridRow, int column) const { return c->grid.Row(gridRow).cells[std::size_t(column)]; }

  // The grid's rows as record numbers: each follows the one above, the last
  // is `last`, and no record is missing at the top while rows are empty below.
  void ExpectTrueRows(int last) const {
    const int rows = int(c->grid.rows.size());
    const int first = std::max(last - rows + 1, 1);
    for (int g = 1; g <= rows; ++g) {
      const int k = first + g - 1;
      ASSERT_EQ(Grid(g, 0), k <= last ? std::to_string(k) : "") << "grid row " << g << " of " << rows;
    }
  }
};

TEST_F(ViewsCycleTest, EachRecordedSampleFillsTheGridAndTheChartBeforeItIsReported) {
  std::size_t pointsSeen = 0;
  std::string lastGridIndex;
  c->onSampleRecorded = [&] {
    pointsSeen = c->chart.points.size();
    lastGridIndex = Grid(c->table.RecordCount, 0);
  };
  SampleUntil(3);
  EXPECT_EQ(pointsSeen, 3u);
  EXPECT_EQ(lastGridIndex, "3");
  EXPECT_EQ(c->chart.ChartFirstRow, 1);
  EXPECT_EQ(c->chart.points[2].value, 3);
  EXPECT_EQ(c->chart.Max_Num, "3 ");
  EXPECT_EQ(c->chart.Min_Num, "1 ");
  EXPECT_EQ(Grid(2, 2), "2");
  EXPECT_EQ(Grid(4, 0), "");

  // A tick without a new frame changes nothing.
  const auto revision = c->chart.revision;
  ++ticks;
  ShowTimeTimer(*c, Now());
  EXPECT_EQ(c->chart.revision, revision);
}

TEST_F(ViewsCycleTest, BothViewsFollowTheNewestRecord) {
  SampleUntil(230);
  EXPECT_EQ(c->chart.ChartFirstRow, 30);
  EXPECT_EQ(c->chart.points.size(), 201u);
  EXPECT_EQ(Grid(25, 0), "230");
  EXPECT_EQ(Grid(1, 0), "206");
}

TEST_F(ViewsCycleTest, ScrollBarsShowOlderRecordsOnlyWhileStopped) {
  SampleUntil(230);
  // Disabled while acquisition runs: the views stay with the newest record.
  SetScrollBar2Position(*c, 100);
  SetScrollBar1Position(*c, 210);
  EXPECT_EQ(Grid(25, 0), "230");
  EXPECT_EQ(c->chart.ChartFirstRow, 30);

  ButtonStopClick(*c, io);
  SetScrollBar2Position(*c, 150);
  EXPECT_EQ(Grid(25, 0), "150");
  EXPECT_EQ(Grid(1, 0), "126");
  SetScrollBar1Position(*c, 215);
  EXPECT_EQ(c->chart.ChartFirstRow, 15);
  EXPECT_EQ(c->chart.points.back().value, 215);
}

TEST_F(ViewsCycleTest, TheGridShowsOnlyTrueRowsWhereverTheBarGoes) {
  SampleUntil(250);
  ButtonStopClick(*c, io);
  const ScrollBarModel& bar = c->win.scrollBar2;
  EXPECT_EQ(bar.minimum, 25);
  EXPECT_EQ(bar.maximum, 250);
  for (int to : {1, 24, 25, 26, 200, 250, 1}) {
    SetScrollBar2Position(*c, to);
    ExpectTrueRows(std::max(to, 25));
  }

  // The grid follows its height: rows are added and refilled from the bar.
  ResizeGrid(*c, 42 * 16);
  EXPECT_EQ(c->win.gridRowCount, 40);
  EXPECT_EQ(bar.minimum, 39);
  ExpectTrueRows(39);
  SetScrollBar2Position(*c, 120);
  ResizeGrid(*c, 20 * 16);
  EXPECT_EQ(bar.minimum, 17);
  ExpectTrueRows(120);
  ResizeGrid(*c, 1);  // never below a header and one data row
  EXPECT_EQ(c->win.gridRowCount, 2);
  ExpectTrueRows(120);

  // A grid taller than the table lists every record and leaves the rest empty.
  ButtonResetClick(*c);
  ASSERT_TRUE(ButtonStartClick(*c, io));
  io.QueueRead(1, Concat({Frame730Value(1), Frame730Value(1)}));
  ASSERT_TRUE(CheckComTimer(*c, io, Now()));
  Sample(1);
  SampleUntil(30);
  ButtonStopClick(*c, io);
  ResizeGrid(*c, 60 * 16);
  EXPECT_EQ(bar.maximum, 1);
  ExpectTrueRows(30);
}

TEST_F(ViewsCycleTest, FunctionCutDependsOnWhetherTheChartFollows) {
  ButtonStopClick(*c, io);
  std::vector<MeasurementRecord> records(400);
  for (int k = 1; k <= 400; ++k) {
    records[std::size_t(k - 1)].MainCaption.Assign(k <= 300 ? "CAP20.000 nF" : "OHM20.00 K\xA6\xB8");
    records[std::size_t(k - 1)].MainValue.Assign(std::to_string(k));
  }
  ReplaceRecords(c->table, records);
  c->win.scrollBar1.SetMaximum(400);
  SetScrollBar1Position(*c, 350);
  EXPECT_EQ(c->chart.ChartFirstRow, 150);
  EXPECT_EQ(c->chart.points.size(), 151u);
  SetScrollBar1Position(*c, 400);  // back at the maximum: following again
  EXPECT_EQ(c->chart.ChartFirstRow, 301);
  EXPECT_EQ(c->chart.points.size(), 100u);
}

TEST_F(ViewsCycleTest, ResetEmptiesTheViewsAndResetsTheScrollBars) {
  SampleUntil(240);
  ButtonStopClick(*c, io);
  ApplySettings(*c, 50, 120);
  c->win.gridHeight = 495;  // as laid out in a 690-pixel window
  ButtonResetClick(*c);

  const WindowModel& w = c->win;
  EXPECT_EQ(w.scrollBar1.minimum, 50);
  EXPECT_EQ(w.scrollBar1.maximum, 50);
  EXPECT_EQ(w.scrollBar1.position, 50);
  EXPECT_EQ(w.scrollBar2.minimum, 1);
  EXPECT_EQ(w.scrollBar2.maximum, 1);
  EXPECT_EQ(w.scrollBar2.position, 1);
  EXPECT_EQ(w.gridRowCount, 28);
  ASSERT_EQ(c->grid.rows.size(), 27u);
  for (const GridRow& row : c->grid.rows)
    for (const std::string& cell : row.cells) EXPECT_EQ(cell, "");
  EXPECT_TRUE(c->chart.points.empty());
  EXPECT_EQ(c->chart.Max_Num + c->chart.Max_Tim + c->chart.Min_Num + c->chart.Min_Tim, "");

  // With the table empty the scroll bars show nothing.
  c->win.scrollBar2.SetMaximum(5);
  SetScrollBar2Position(*c, 3);
  EXPECT_EQ(Grid(1, 0), "");

  // The next sample is row 1 again, in both views.
  ASSERT_TRUE(ButtonStartClick(*c, io));
  io.QueueRead(1, Concat({Frame730Value(1), Frame730Value(1)}));
  ASSERT_TRUE(CheckComTimer(*c, io, Now()));
  for (int v : {7, 8, 9}) Sample(v);
  EXPECT_EQ(c->table.RecordCount, 1);
  EXPECT_EQ(Grid(1, 0), "1");
  EXPECT_EQ(Grid(1, 2), "9");
  EXPECT_EQ(Grid(2, 0), "");
  EXPECT_EQ(c->chart.points.size(), 1u);
}

}  // namespace
