#include "log/workbook/xlsx_automation.h"

#include <QFileInfo>
#include <map>
#include <vector>

#include "log/workbook/xlsx_file.h"

namespace lcr {

namespace {

// Workbooks saved by this process, by absolute file name.
std::map<QString, std::shared_ptr<const WorkbookModel>>& SavedBooks() {
  static std::map<QString, std::shared_ptr<const WorkbookModel>> books;
  return books;
}

QString Key(const QString& fileName) { return QFileInfo(fileName).absoluteFilePath(); }

[[noreturn]] void Raise(const std::string& reason) { throw AutomationError(reason); }

class XlsxBook : public WorkbookObject {
 public:
  explicit XlsxBook(WorkbookModel model, QString fileName = {})
      : model_(std::move(model)), fileName_(std::move(fileName)) {}

  void SaveAs(const QString& fileName) override {
    CheckOpen();
    Write(fileName);
    fileName_ = fileName;
  }
  void Save() override {
    CheckOpen();
    if (fileName_.isEmpty()) Raise("the workbook has no file name yet");
    Write(fileName_);
  }
  void SetSaved(bool saved) override {
    CheckOpen();
    saved_ = saved;
  }
  void Close() override {
    CheckOpen();
    open_ = false;  // changes since the last save are dropped
  }

  bool open() const { return open_; }
  void Drop() { open_ = false; }
  WorkbookModel& model() {
    CheckOpen();
    saved_ = false;
    return model_;
  }

 private:
  void CheckOpen() const {
    if (!open_) Raise("the workbook is closed");
  }
  void Write(const QString& fileName) {
    QString error;
    if (!WriteWorkbookFile(model_, fileName, &error)) Raise(error.toStdString());
    SavedBooks()[Key(fileName)] = std::make_shared<const WorkbookModel>(model_);
    saved_ = true;
  }

  WorkbookModel model_;
  QString fileName_;
  bool open_ = true;
  bool saved_ = false;
};

class XlsxApplication : public SpreadsheetApplication {
 public:
  std::shared_ptr<WorkbookObject> WorkbooksAdd() override {
    CheckRunning();
    books_.push_back(std::make_shared<XlsxBook>(NewWorkbookModel()));
    return books_.back();
  }
  std::shared_ptr<WorkbookObject> WorkbooksOpen(const QString& fileName) override {
    CheckRunning();
    const auto saved = SavedWorkbook(fileName);
    if (!saved) Raise("cannot open " + fileName.toStdString());
    books_.push_back(std::make_shared<XlsxBook>(*saved, fileName));
    return books_.back();
  }
  void WorksheetsAdd() override { AddWorksheet(ActiveBook()); }
  void SelectWorksheet(int index) override {
    std::string error;
    if (!lcr::SelectWorksheet(ActiveBook(), index, &error)) Raise(error);
  }
  void SetWorksheetName(int index, const std::string& utf8) override {
    std::string error;
    if (!RenameWorksheet(ActiveBook(), index, utf8, &error)) Raise(error);
  }
  void SetCell(int row, int column, const std::string& utf8) override {
    std::string error;
    if (!SetCellText(ActiveBook(), row, column, utf8, &error)) Raise(error);
  }
  void Quit() override {
    for (auto& book : books_) book->Drop();  // closed without saving
    books_.clear();
    running_ = false;
  }

 private:
  void CheckRunning() const {
    if (!running_) Raise("the application has quit");
  }
  // The workbook opened or added last among those still open.
  WorkbookModel& ActiveBook() {
    CheckRunning();
    for (auto it = books_.rbegin(); it != books_.rend(); ++it)
      if ((*it)->open()) return (*it)->model();
    Raise("no workbook is open");
  }

  std::vector<std::shared_ptr<XlsxBook>> books_;
  bool running_ = true;
};

}  // namespace

std::shared_ptr<const WorkbookModel> SavedWorkbook(const QString& fileName) {
  if (!QFileInfo::exists(fileName)) return nullptr;  // deleted since
  const auto it = SavedBooks().find(Key(fileName));
  return it == SavedBooks().end() ? nullptr : it->second;
}

std::unique_ptr<SpreadsheetApplication> XlsxAutomationServer::CreateApplication() {
  return std::make_unique<XlsxApplication>();
}

std::shared_ptr<WorkbookObject> XlsxAutomationServer::CreateSheet() {
  return std::make_shared<XlsxBook>(NewWorkbookModel());
}

}  // namespace lcr
