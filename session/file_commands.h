#pragma once
// The File menu's Open, without dialogs: the table replaced, the views
// refreshed; the data file dialogs' filters; and what closing, Open and
// Reset ask when records are not saved.

#include <functional>
#include <string>

#include "files/data_file.h"
#include "session/cycle.h"

namespace lcr {

// Makes `opened` (a data file as ReadDataFile read it) the table and
// refreshes the grid, the chart and both scroll bars so that they show the
// last records.
void ShowOpenedTable(Cycle& c, MeasurementTable opened);

// File, Open's work once a file was chosen: the data file at `path` read
// (ReadDataFile) and, when it passed whole, shown as above. Anything but
// Opened leaves the session as it was; *error then says why.
OpenOutcome OpenIntoSession(Cycle& c, const QString& path, QString* error, const Progress& progress = {});

// The data file dialogs. Save's default suffix follows its filter, so a name
// typed bare is written as NAME.txt; Open lists .xls too, the suffix older
// saves gave a bare name.
inline constexpr char kSaveDataFileFilter[] = "Txt File (*.txt)";
inline constexpr char kSaveDataFileSuffix[] = "txt";
inline constexpr char kOpenDataFileFilter[] = "Txt File (*.txt *.xls)";

// The records not yet in any saved or opened file: those recorded after the
// table last matched one (Save, Open), or all of them after Reset or a
// recovery; 0 when the table may be dropped without a question.
int UnsavedRecordCount(const Cycle& c);
// File, Save wrote the table.
void MarkTableSaved(Cycle& c);
// The table holds records kept nowhere else (recovered after a crash).
void MarkTableUnsaved(Cycle& c);

// The commands that would drop the table's records.
enum class DroppingCommand { Close, Open, Reset };
// "N records are not saved. Save them before closing?", worded for the command.
std::string UnsavedRecordsQuestion(int count, DroppingCommand command);
// Acquisition must stop before that question is asked, so that nothing is
// recorded while it and the save dialog are up: every record is then either
// in the saved file or covered by Discard.
bool StopBeforeAsking(const Cycle& c);

enum class UnsavedAnswer { Save, Discard, Cancel };
// Whether the command goes on after the answer to that question: Discard
// goes on, Cancel stays, Save runs `save` (File, Save) and goes on only when
// it says the table was written.
bool GoOnAfterAnswer(UnsavedAnswer answer, const std::function<bool()>& save);

}  // namespace lcr
