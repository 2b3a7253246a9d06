#include "session/view_updates.h"

#include <algorithm>

namespace lcr {

namespace {

// The grid model always has the rows the window model counts.
void SyncGridRows(Cycle& c) {
  if (int(c.grid.rows.size()) != c.win.gridRowCount - 1) SetGridRowCount(c.grid, c.win.gridRowCount);
}

}  // namespace

void UpdateChart(Cycle& c, std::int32_t lastRow) {
  ChartWindow w;
  w.lastRow = lastRow;
  w.pointsPerPage = c.win.pointsPerPage;
  w.followsNewest = c.win.scrollBar1.position == c.win.scrollBar1.maximum;
  w.decimalMark = c.acq.DecimalMark;
  UpdateChart(c.chart, c.table, w);
  BindPendingLimits(c.limits, c.chart, c.table);
}

void FillGrid(Cycle& c, std::int32_t lastRow) {
  SyncGridRows(c);
  FillGrid(c.grid, c.table, lastRow);
}

void FitGridScrollBar(Cycle& c) {
  ScrollBarModel& bar = c.win.scrollBar2;
  const int dataRows = c.win.gridRowCount - 1;
  const int count = c.table.RecordCount;
  bar.SetMinimum(count > dataRows ? dataRows : 1);
  bar.SetMaximum(count > dataRows ? count : 1);
  bar.pageSize = std::max(dataRows, 1);  // a page of the bar is a grid full of records
}

void ResizeGrid(Cycle& c, int gridHeight) {
  WindowModel& w = c.win;
  w.gridHeight = gridHeight;
  const int rows = GridRowsFor(gridHeight);
  if (rows == w.gridRowCount) return;
  w.gridRowCount = rows;
  SyncGridRows(c);
  FitGridScrollBar(c);
  const int count = c.table.RecordCount;
  FillGrid(c, count < rows ? count : w.scrollBar2.position);
}

void ResetViews(Cycle& c) {
  WindowModel& w = c.win;
  ClearChart(c.chart);  // the series and the statistics texts

  w.scrollBar1.SetMinimum(1);
  w.scrollBar1.SetMaximum(w.pointsPerPage);
  w.scrollBar1.SetMinimum(w.pointsPerPage);

  SyncGridRows(c);
  ClearGrid(c.grid);
  // A grid needs its header and one data row at least.
  w.gridRowCount = GridRowsFor(w.gridHeight);
  SyncGridRows(c);

  w.scrollBar2.SetMinimum(1);
  w.scrollBar2.SetMaximum(1);
  ResetDialViews(c.dialModel);  // the clean face back on bpmain, MainNO empty
}

}  // namespace lcr
