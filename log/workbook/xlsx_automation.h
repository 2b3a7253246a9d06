#pragma once
// The spreadsheet application of this program: workbooks held in memory and
// written with the xlsx library. Files are Office Open XML whatever their
// extension.
//
// The library writes new files only, so the application remembers every
// workbook it saved in this process; opening such a file takes the book as
// it was saved. Other files cannot be opened.

#include <memory>

#include "log/workbook/automation.h"
#include "log/workbook/workbook_model.h"

namespace lcr {

class XlsxAutomationServer : public AutomationServer {
 public:
  std::unique_ptr<SpreadsheetApplication> CreateApplication() override;
  std::shared_ptr<WorkbookObject> CreateSheet() override;
};

// The book this process last saved under `fileName`, or null.
std::shared_ptr<const WorkbookModel> SavedWorkbook(const QString& fileName);

}  // namespace lcr
