#pragma once
// In-process: no outside program runs; the workbook is written here.
// The spreadsheet application of this program: workbooks whose cells wait in
// scratch files, written with the xlsx library. Files are Office Open XML
// whatever their extension.
//
// The library writes new files only, so a running application remembers the
// workbooks it saved; opening such a file takes the book as it was saved.
// Other files cannot be opened. Once the application quits it keeps nothing.

#include <memory>

#include "files/workbook/automation.h"
#include "files/workbook/workbook_model.h"

namespace lcr {

class XlsxAutomationServer : public AutomationServer {
 public:
  std::unique_ptr<SpreadsheetApplication> CreateApplication() override;
  std::shared_ptr<WorkbookObject> CreateSheet() override;
};

}  // namespace lcr
