#pragma once
// A workbook held in memory the way the spreadsheet application keeps one
// open: sheets in order, one active sheet, cells holding texts.

#include <string>
#include <vector>

namespace lcr {

inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetColumns = 16384;
inline constexpr int kMaxCellTextLength = 32767;  // UTF-16 units
inline constexpr int kMaxSheetNameLength = 31;

struct SheetModel {
  std::string name;                             // UTF-8
  std::vector<std::vector<std::string>> rows;   // rows[r - 1][c - 1], UTF-8; short rows are blank
};

struct WorkbookModel {
  std::vector<SheetModel> sheets;  // in the order the file lists them
  int activeSheet = 0;             // index into sheets
  int sheetsCreated = 0;           // numbers the default names "Sheet1", "Sheet2", ...
};

// A new workbook: one empty sheet "Sheet1", active.
WorkbookModel NewWorkbookModel();

// Adds an empty sheet in front of the active one and makes it active, with
// the next default name, as the application's "add" does.
void AddWorksheet(WorkbookModel& book);

// Sheet `index` (from 1) becomes the active sheet. False when there is none.
bool SelectWorksheet(WorkbookModel& book, int index, std::string* error);

// Renames sheet `index` (from 1). False, with the reason, for a name the
// application refuses: empty, too long, holding one of : \ / ? * [ ],
// starting or ending with an apostrophe, or the name of another sheet
// (letter case aside).
bool RenameWorksheet(WorkbookModel& book, int index, const std::string& name, std::string* error);

// Writes a text into cell (row, column) of the active sheet. False for a
// cell outside the sheet or a text longer than a cell holds.
bool SetCellText(WorkbookModel& book, int row, int column, const std::string& text, std::string* error);

// The text of a cell of sheet `index` (from 1); empty for a blank cell or a
// cell outside the sheet.
std::string CellText(const WorkbookModel& book, int index, int row, int column);

}  // namespace lcr
