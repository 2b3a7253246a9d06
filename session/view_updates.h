#pragma once
// The chart, grid and statistics views driven by the cycle: the display
// tick, the scroll bars and Reset call these.

#include <cstdint>

#include "session/session_state.h"

namespace lcr {

// Rebuilds the chart and the statistics for the window ending at `lastRow`.
void UpdateChart(Cycle& c, std::int32_t lastRow);

// Writes the grid's data rows for the records ending at `lastRow`.
void FillGrid(Cycle& c, std::int32_t lastRow);

// ScrollBar2's range for the table and the grid: once the table holds more
// records than the grid has data rows, from the data-row count to the last
// record, so the bar's top shows a full page from record 1; else the single
// position 1. The position is kept inside the range without a refill; a
// page of the bar is the grid's data rows.
void FitGridScrollBar(Cycle& c);

// The grid laid out `gridHeight` pixels high: its row count follows
// (height div 16 - 2, two at least), ScrollBar2 is fitted again and the rows
// are refilled from its position (from the last record while every record
// fits). Nothing happens when the row count stays.
void ResizeGrid(Cycle& c, int gridHeight);

// Empties chart, grid and statistics and resets both scroll bars; the grid
// takes as many rows as its present height holds.
void ResetViews(Cycle& c);

}  // namespace lcr
