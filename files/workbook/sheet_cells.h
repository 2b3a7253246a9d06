#pragma once
// The cells of one sheet, kept in a temporary file in the order they were
// written rather than in memory, so that a sheet of any size costs a few
// hundred kilobytes of buffer. Copies share the file until one of them is
// written to.

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "files/workbook/cell_value.h"

namespace lcr {

class CellSpill;

struct SheetCell {
  int column = 0;  // from 1
  CellValue value;
};

class SheetCells {
 public:
  // Records a write of cell (row, column), both from 1. False, with the
  // reason, when the scratch file cannot be written.
  bool Set(int row, int column, const CellValue& value, QString* error);

  // Calls `row` once per row that holds cells, rows rising, with that row's
  // cells: the last value written to each column, blanks left out. Stops
  // early, returning false, when `row` does or reading fails.
  using RowVisitor = std::function<bool(int row, const std::vector<SheetCell>& cells)>;
  bool ForEachRow(const RowVisitor& row, QString* error) const;

  // The value last written to one cell; empty for a blank cell.
  std::optional<CellValue> Find(int row, int column) const;

  // The highest row written (0 when none).
  int lastRow() const { return lastRow_; }

 private:
  std::shared_ptr<CellSpill> spill_;
  std::uint64_t bytes_ = 0;  // this sheet's part of the spill
  int lastRow_ = 0;    // the highest row written
  int streamRow_ = 0;  // the row of the last record in this sheet's part
  bool rising_ = true;  // rows were written in rising order (ties allowed)
};

}  // namespace lcr
