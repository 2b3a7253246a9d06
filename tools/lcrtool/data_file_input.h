#pragma once
// Reading the data file named on the command line, checked as File, Open
// checks it.

#include <QString>

#include "table/measurement_table.h"

namespace lcrtool {

// Reads `path` into `table` as Open does. On failure prints the reason to
// stderr ("Wrong Data Format!" for a file in the wrong format) and returns
// false; `table` is then untouched.
bool LoadDataFile(const QString& path, lcr::MeasurementTable& table);

// Exports refuse an empty table, as the window's commands do: prints
// "No Any Date!" and returns false.
bool RequireRecords(const lcr::MeasurementTable& table);

}  // namespace lcrtool
