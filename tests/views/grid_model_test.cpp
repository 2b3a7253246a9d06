// The grid's data rows: which records land in which rows, and what stays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "views/grid_model.h"

using namespace lcr;

namespace {

struct GridTest : ::testing::Test {
  MeasurementTable table;
  GridModel grid;

  void SetUp() override {
    std::vector<MeasurementRecord> records(100);
    for (int k = 1; k <= 100; ++k) {
      MeasurementRecord& r = records[std::size_t(k - 1)];
      r.TimeText.Assign("t" + std::to_string(k));
      r.MainValue.Assign("m" + std::to_string(k));
      r.MainCaption.Assign("OHM20.00 K\xA6\xB8");
      r.SubValue.Assign("s" + std::to_string(k));
      r.SubCaption.Assign("Q " + std::to_string(k));
    }
    ReplaceRecords(table, records);
    SetGridRowCount(grid, 26);
  }

  std::string Cell(int gridRow, int column) const { return grid.Row(gridRow).cells[std::size_t(column)]; }
};

TEST_F(GridTest, TwentySixRowsAreAHeaderAndTwentyFiveDataRows) {
  EXPECT_EQ(grid.rows.size(), 25u);
  SetGridRowCount(grid, 28);
  EXPECT_EQ(grid.rows.size(), 27u);
  SetGridRowCount(grid, 0);
  EXPECT_TRUE(grid.rows.empty());
}

TEST_F(GridTest, ARowShowsTheRecordsFieldsAsStored) {
  FillGrid(grid, table, 1);
  const std::vector<std::string> want{"1", "t1", "m1", "OHM20.00 K\xA6\xB8", "s1", "Q 1"};
  for (int c = 0; c < kGridColumnCount; ++c) EXPECT_EQ(Cell(1, c), want[std::size_t(c)]) << c;
}

TEST_F(GridTest, FewRecordsFillTheTopRowsAndEmptyTheRest) {
  // Whatever the grid showed before, and wherever the fill ends, each row
  // shows its own record or nothing.
  for (const int before : {100, 60, 3}) {
    for (int last = -1; last <= 26; ++last) {
      FillGrid(grid, table, before);
      FillGrid(grid, table, last);
      const int top = last < 26 ? 1 : last - 24;
      for (int g = 1; g <= 25; ++g) {
        const int k = top + g - 1;
        const std::string want = k <= last ? std::to_string(k) : "";
        ASSERT_EQ(Cell(g, 0), want) << "before " << before << " last " << last << " row " << g;
        ASSERT_EQ(Cell(g, 5), k <= last ? "Q " + want : "");
      }
    }
  }
  // Rows that were empty already are not rewritten.
  FillGrid(grid, table, 5);
  const auto before = grid.Row(6).revision;
  FillGrid(grid, table, 4);
  EXPECT_EQ(grid.Row(6).revision, before);
  EXPECT_GT(grid.Row(5).revision, before);
}

TEST_F(GridTest, ManyRecordsEndAtTheLastRow) {
  FillGrid(grid, table, 100);
  EXPECT_EQ(Cell(1, 0), "76");
  EXPECT_EQ(Cell(1, 2), "m76");
  EXPECT_EQ(Cell(25, 0), "100");
  EXPECT_EQ(Cell(25, 1), "t100");
  // The boundary: a last row equal to the row count scrolls.
  FillGrid(grid, table, 26);
  EXPECT_EQ(Cell(1, 0), "2");
  EXPECT_EQ(Cell(25, 0), "26");
  FillGrid(grid, table, 25);
  EXPECT_EQ(Cell(1, 0), "1");
  EXPECT_EQ(Cell(25, 0), "25");
}

TEST_F(GridTest, NothingIsWrittenForNoRows) {
  const auto before = grid.Row(1).revision;
  FillGrid(grid, table, 0);
  FillGrid(grid, table, -3);
  EXPECT_EQ(grid.Row(1).revision, before);
  EXPECT_EQ(Cell(1, 0), "");
}

TEST_F(GridTest, RowsPastTheRecordCountAreNeverShown) {
  table.RecordCount = 30;  // rows 31.. are stale
  FillGrid(grid, table, 90);
  EXPECT_EQ(Cell(25, 0), "30");
  MeasurementTable none;
  FillGrid(grid, none, 40);  // no rows allocated at all: nothing to show
  EXPECT_EQ(Cell(25, 0), "");
}

TEST_F(GridTest, ClearEmptiesEveryCell) {
  FillGrid(grid, table, 100);
  ClearGrid(grid);
  for (const GridRow& row : grid.rows)
    for (const std::string& cell : row.cells) EXPECT_EQ(cell, "");
}

}  // namespace
