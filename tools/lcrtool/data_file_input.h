#pragma once
// Reading the data file named on the command line, checked as File, Open
// checks it, and saying on stderr what the window says in its boxes.

#include <QString>

#include "files/file_message.h"
#include "table/measurement_table.h"

namespace lcrtool {

// Prints what a file command tells the user as one line on stderr, after
// "VERB: " when a verb is given; nothing when there is nothing to say.
void Say(const lcr::FileMessage& message, const char* verb = nullptr);

// Reads `path` into `table` as Open does. On failure says why as the window
// does ("Wrong Data Format!" for a file in the wrong format) and returns
// false; `table` is then untouched.
bool LoadDataFile(const QString& path, lcr::MeasurementTable& table);

// Exports refuse an empty table, as the window's commands do: prints
// "No Any Date!" and returns false.
bool RequireRecords(const lcr::MeasurementTable& table);

}  // namespace lcrtool
