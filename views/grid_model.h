#pragma once
// The grid's data rows, decided from the measurement table without widgets.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "table/measurement_table.h"
#include "table/record_columns.h"

namespace lcr {

// The grid's columns are the record's (table/record_columns.h).
inline constexpr int kGridColumnCount = kRecordColumnCount;
inline constexpr const auto& kGridHeaders = kRecordColumnHeaders;

struct GridRow {
  // Index, Time, Main, Main_Range, Sub, Sub_Range, as stored (GBK).
  std::array<std::string, kGridColumnCount> cells;
  std::int32_t record = 0;  // the table row shown; 0 when empty
  std::uint64_t revision = 0;  // bumped whenever the row is written or emptied
};

struct GridModel {
  // Grid rows 1..R-1 (the header is row 0): rows[k - 1] is grid row k.
  std::vector<GridRow> rows;
  std::uint64_t nextRevision = 1;

  GridRow& Row(int gridRow) { return rows[std::size_t(gridRow - 1)]; }
  const GridRow& Row(int gridRow) const { return rows[std::size_t(gridRow - 1)]; }
};

// Gives the grid `rowCount` rows in all (header included); new rows are empty.
void SetGridRowCount(GridModel& grid, int rowCount);

// Writes the grid's data rows from the records ending at `lastRow`: grid
// rows 1..a for a last row a below the row count, with the rows further down
// emptied, else the last R-1 records with record a at the bottom. A row is
// never left showing a record that does not follow the one above it.
void FillGrid(GridModel& grid, const MeasurementTable& table, std::int32_t lastRow);

// Empties every cell of the data rows.
void ClearGrid(GridModel& grid);

}  // namespace lcr
