#include "files/workbook/xlsx_automation.h"

#include <QFileInfo>
#include <map>
#include <vector>

#include "files/workbook/xlsx_file.h"

namespace lcr {

namespace {

QString Key(const QString& fileName) { return QFileInfo(fileName).absoluteFilePath(); }

// The workbooks one application saved, by absolute file name. A saved book
// shares its cells' scratch files with the book it was saved from.
struct SavedBooks {
  std::map<QString, std::shared_ptr<const WorkbookModel>> books;

  std::shared_ptr<const WorkbookModel> Find(const QString& fileName) const {
    if (!QFileInfo::exists(fileName)) return nullptr;  // deleted since
    const auto it = books.find(Key(fileName));
    return it == books.end() ? nullptr : it->second;
  }
};

[[noreturn]] void Raise(const std::string& reason) { throw AutomationError(reason); }

class XlsxBook : public WorkbookObject {
 public:
  XlsxBook(WorkbookModel model, std::shared_ptr<SavedBooks> saved, std::shared_ptr<const Progress> progress,
           QString fileName = {})
      : model_(std::move(model)),
        savedBooks_(std::move(saved)),
        progress_(std::move(progress)),
        fileName_(std::move(fileName)) {}

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
    if (!WriteWorkbookFile(model_, fileName, &error, *progress_)) Raise(error.toStdString());
    savedBooks_->books[Key(fileName)] = std::make_shared<const WorkbookModel>(model_);
    saved_ = true;
  }

  WorkbookModel model_;
  std::shared_ptr<SavedBooks> savedBooks_;
  std::shared_ptr<const Progress> progress_;  // the application's, shared by its books
  QString fileName_;
  bool open_ = true;
  bool saved_ = false;
};

class XlsxApplication : public SpreadsheetApplication {
 public:
  std::shared_ptr<WorkbookObject> WorkbooksAdd() override {
    CheckRunning();
    books_.push_back(std::make_shared<XlsxBook>(NewWorkbookModel(), savedBooks_, progress_));
    return books_.back();
  }
  std::shared_ptr<WorkbookObject> WorkbooksOpen(const QString& fileName) override {
    CheckRunning();
    const auto saved = savedBooks_->Find(fileName);
    if (!saved) Raise("cannot open " + fileName.toStdString());
    books_.push_back(std::make_shared<XlsxBook>(*saved, savedBooks_, progress_, fileName));
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
    savedBooks_->books.clear();  // and their scratch files with them
    running_ = false;
  }
  void SetSaveProgress(Progress progress) override { *progress_ = std::move(progress); }

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
  std::shared_ptr<SavedBooks> savedBooks_ = std::make_shared<SavedBooks>();
  std::shared_ptr<Progress> progress_ = std::make_shared<Progress>();
  bool running_ = true;
};

}  // namespace

std::unique_ptr<SpreadsheetApplication> XlsxAutomationServer::CreateApplication() {
  return std::make_unique<XlsxApplication>();
}

std::shared_ptr<WorkbookObject> XlsxAutomationServer::CreateSheet() {
  // Not tied to any application: what it saves cannot be opened again.
  return std::make_shared<XlsxBook>(NewWorkbookModel(), std::make_shared<SavedBooks>(),
                                    std::make_shared<const Progress>());
}

}  // namespace lcr
