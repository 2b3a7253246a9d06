#pragma once
// The chart, grid and statistics views driven by the cycle: the display
// tick, the scroll bars and Reset call these.

#include <cstdint>

#include "app/cycle/cycle.h"

namespace lcr {

// Rebuilds the chart and the statistics for the window ending at `lastRow`.
void UpdateChart(Cycle& c, std::int32_t lastRow);

// Writes the grid's data rows for the records ending at `lastRow`.
void FillGrid(Cycle& c, std::int32_t lastRow);

// Empties chart, grid and statistics and resets both scroll bars; the grid
// takes as many rows as its present height holds.
void ResetViews(Cycle& c);

}  // namespace lcr
