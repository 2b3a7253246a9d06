#pragma once
// No office program is driven: the workbook is written in-process, by this
// program's own workbook writer (files/workbook/).
// The spreadsheet application as the export drives it: an application
// object and workbook objects whose members mirror the automation calls
// ("workbooks"."Add", "SaveAS", "cells"(row, col) := text, ...).
//
// A call that the application refuses throws AutomationError, the way a
// late-bound automation call raises; the caller's protected block catches it.

#include <QString>
#include <memory>
#include <stdexcept>
#include <string>

#include "files/progress.h"

namespace lcr {

class AutomationError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A workbook ("book").
class WorkbookObject {
 public:
  virtual ~WorkbookObject() = default;
  virtual void SaveAs(const QString& fileName) = 0;  // "SaveAS"(file name)
  virtual void Save() = 0;                           // "Save"
  virtual void SetSaved(bool saved) = 0;             // "Saved" := saved
  virtual void Close() = 0;                          // "close"
};

// The application object; sheets are numbered from 1, cells (row, column) from 1.
class SpreadsheetApplication {
 public:
  virtual ~SpreadsheetApplication() = default;
  virtual std::shared_ptr<WorkbookObject> WorkbooksAdd() = 0;                         // "workbooks"."Add"
  virtual std::shared_ptr<WorkbookObject> WorkbooksOpen(const QString& fileName) = 0;  // "WorkBooks"."Open"
  virtual void WorksheetsAdd() = 0;                                                  // "worksheets"."add"
  virtual void SelectWorksheet(int index) = 0;                                        // "WorkSheets"(i)."select"
  virtual void SetWorksheetName(int index, const std::string& utf8) = 0;             // "WorkSheets"(i)."Name" :=
  virtual void SetCell(int row, int column, const std::string& utf8) = 0;            // "cells"(r, c) := text
  virtual void Quit() = 0;                                                           // "Quit"

  // What the application reports while it saves a book from now on, as its
  // status bar would; a false step cancels the save, which then fails. An
  // application that reports nothing ignores it.
  virtual void SetSaveProgress(Progress progress) { (void)progress; }
};

// Creates the automation objects by their programmatic identifiers; a null
// result means the object cannot be created.
class AutomationServer {
 public:
  virtual ~AutomationServer() = default;
  virtual std::unique_ptr<SpreadsheetApplication> CreateApplication() = 0;  // "Excel.Application"
  virtual std::shared_ptr<WorkbookObject> CreateSheet() = 0;               // "Excel.Sheet"
};

}  // namespace lcr
