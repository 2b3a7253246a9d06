#pragma once
// No office program is driven: the workbook is written in-process, by this
// program's own workbook writer (files/workbook/).
// Export Excel File without widgets: the measurement table written through
// the spreadsheet application, one sheet per block of 65500 records.

#include <QString>
#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "table/measurement_table.h"
#include "table/record_columns.h"
#include "files/progress.h"
#include "files/workbook/automation.h"

namespace lcr {

inline constexpr std::int32_t kRecordsPerSheet = 65500;

// Where record i (from 1) goes: its block (1, 2, ...) and its row on the
// block's sheet (2 to 65501; row 1 is the header).
inline int SheetOfRecord(std::int32_t i) { return i / kRecordsPerSheet + (i % kRecordsPerSheet != 0 ? 1 : 0); }
inline int SheetRowOfRecord(std::int32_t i) {
  const int r = i % kRecordsPerSheet;
  return r == 0 ? kRecordsPerSheet + 1 : r + 1;
}

// The six cells of record i as the workbook gets them: the index, then
// time, main value, main caption, sub value, sub caption; trimmed, UTF-8.
std::array<std::string, kRecordColumnCount> RecordCells(const MeasurementTable& table, std::int32_t i);

// What the window does while the export runs.
struct SpreadsheetExportHooks {
  std::function<void()> repaintWindow;  // after the empty workbook is saved
  // How far the export got, the records typed into the sheets and then the
  // book saved, as one whole; a false step cancels the export.
  Progress progress;
};

enum class SpreadsheetExportOutcome {
  Saved,          // "Save Excel file Successfully."
  NoApplication,  // "You must install Microsoft Excel!": nothing written
  Failed,         // "open excel file fail!"
  Cancelled,      // the progress said stop; the book was not saved
};

// Writes records 1..RecordCount into a new workbook saved as `fileName`.
// `header` holds the six header texts (kRecordColumnHeaders, as the grid
// shows them; UTF-8), trimmed here. The application saves into a draft of the same name in a scratch folder, and
// the complete book then replaces `fileName` through WriteFileSafely, so a
// failure or a cancel leaves the file there as it was. A failed call, or a
// cancel, ends the export; the application is then told to close the book
// and quit as far as it still can. *error gets the failed call's or the
// failed write's reason.
SpreadsheetExportOutcome ExportSpreadsheetFile(AutomationServer& server, const QString& fileName,
                                               const MeasurementTable& table,
                                               const std::array<std::string, kRecordColumnCount>& header,
                                               const SpreadsheetExportHooks& hooks = {},
                                               std::string* error = nullptr);

}  // namespace lcr
