#pragma once
// The File menu's Open, without dialogs: the table replaced, the views refreshed.

#include <vector>

#include "app/cycle/cycle.h"

namespace lcr {

// Puts `records` into the table as rows 1..n and refreshes the grid, the
// chart and both scroll bars so that they show the last records.
void ShowOpenedTable(Cycle& c, const std::vector<MeasurementRecord>& records);

}  // namespace lcr
