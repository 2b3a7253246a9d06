#pragma once
// The File menu's Open, without dialogs: the table replaced, the views
// refreshed; and what closing the window asks when records are not saved.

#include <functional>
#include <string>

#include "session/cycle.h"

namespace lcr {

// Makes `opened` (a data file as ReadDataFile read it) the table and
// refreshes the grid, the chart and both scroll bars so that they show the
// last records.
void ShowOpenedTable(Cycle& c, MeasurementTable opened);

// The records that were neither saved nor opened since the table last
// changed; 0 when closing may go on without a question.
int UnsavedRecordCount(const Cycle& c);
// File, Save wrote the table.
void MarkTableSaved(Cycle& c);
// The table holds records kept nowhere else (recovered after a crash).
void MarkTableUnsaved(Cycle& c);

// "N records are not saved. Save them before closing?"
std::string UnsavedRecordsQuestion(int count);

enum class CloseAnswer { Save, Discard, Cancel };
// Whether closing goes on after the answer to that question: Discard goes
// on, Cancel stays, Save runs `save` (File, Save) and goes on only when it
// says the table was written.
bool CloseAfterAnswer(CloseAnswer answer, const std::function<bool()>& save);

}  // namespace lcr
