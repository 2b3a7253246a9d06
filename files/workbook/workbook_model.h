#pragma once
// A workbook the way the spreadsheet application keeps one open: sheets in
// order, one active sheet. The cells of each sheet wait in a scratch file
// (SheetCells) until the book is written.

#include <string>
#include <vector>

#include "files/workbook/sheet_cells.h"

namespace lcr {

inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetColumns = 16384;
inline constexpr int kMaxCellTextLength = 32767;  // UTF-16 units
inline constexpr int kMaxSheetNameLength = 31;

struct SheetModel {
  std::string name;  // UTF-8
  SheetCells cells;
  int number = 0;  // 1 for the book's first sheet, then in the order they were added
};

struct WorkbookModel {
  std::vector<SheetModel> sheets;  // in the order the file lists them
  int activeSheet = 0;             // index into sheets
  int sheetsCreated = 0;           // numbers the default names "Sheet1", "Sheet2", ...
};

// The sheets (indexes into book.sheets) as a saved file lists them: in the
// order they were added, so pages read 1, 2, 3 ... whatever "add" did to the
// order on screen, leaving out default sheets nobody wrote into or renamed
// (unless no other is left). The file opens on the first one listed.
std::vector<int> SheetsInFileOrder(const WorkbookModel& book);

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

// Types a text into cell (row, column) of the active sheet; it becomes what
// ConvertCellText makes of it. False for a cell outside the sheet, a text
// longer than a cell holds, or a scratch file that cannot be written.
bool SetCellText(WorkbookModel& book, int row, int column, const std::string& text, std::string* error);

// The text a cell of sheet `index` (from 1) shows; empty for a blank cell or
// a cell outside the sheet.
std::string CellText(const WorkbookModel& book, int index, int row, int column);

}  // namespace lcr
