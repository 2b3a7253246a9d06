#include "views/grid_model.h"

#include <algorithm>
#include <charconv>

#include "table/record_text.h"

namespace lcr {

void SetGridRowCount(GridModel& grid, int rowCount) {
  grid.rows.resize(std::size_t(std::max(rowCount - 1, 0)));
}

namespace {

void ShowRecord(GridModel& grid, GridRow& row, const MeasurementTable& table, std::int32_t k) {
  const MeasurementRecord& rec = RowAt(table, k);
  char index[16];
  const auto end = std::to_chars(index, index + sizeof index, k).ptr;
  const auto texts = RecordColumnTexts(std::string_view(index, std::size_t(end - index)), rec);
  for (std::size_t c = 0; c < texts.size(); ++c) row.cells[c].assign(texts[c]);
  row.record = k;
  row.revision = grid.nextRevision++;
}

void EmptyRow(GridModel& grid, GridRow& row) {
  bool filled = false;
  row.record = 0;
  for (std::string& cell : row.cells) {
    filled = filled || !cell.empty();
    cell.clear();
  }
  if (filled) row.revision = grid.nextRevision++;
}

}  // namespace

void FillGrid(GridModel& grid, const MeasurementTable& table, std::int32_t lastRow) {
  lastRow = std::min(lastRow, table.RecordCount);  // rows past it are never shown
  const int dataRows = int(grid.rows.size());
  const int rowCount = dataRows + 1;
  if (lastRow < rowCount) {
    const int filled = std::max(lastRow, 0);
    for (std::int32_t k = 1; k <= filled; ++k) ShowRecord(grid, grid.Row(k), table, k);
    // Rows left over from an earlier fill would pass for records that follow.
    for (int g = filled + 1; g <= dataRows; ++g) EmptyRow(grid, grid.Row(g));
    return;
  }
  const std::int32_t firstRecord = lastRow - rowCount + 2;
  for (int g = 1; g <= dataRows; ++g) ShowRecord(grid, grid.Row(g), table, firstRecord + g - 1);
}

void ClearGrid(GridModel& grid) {
  for (GridRow& row : grid.rows) {
    for (std::string& cell : row.cells) cell.clear();
    row.record = 0;
    row.revision = grid.nextRevision++;
  }
}

}  // namespace lcr
