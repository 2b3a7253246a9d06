#include "files/workbook/workbook_model.h"

#include <QString>
#include <algorithm>

namespace lcr {

namespace {

void Fail(std::string* error, const std::string& reason) {
  if (error) *error = reason;
}

}  // namespace

WorkbookModel NewWorkbookModel() {
  WorkbookModel book;
  book.sheets.push_back(SheetModel{"Sheet1", {}, 1});
  book.sheetsCreated = 1;
  return book;
}

void AddWorksheet(WorkbookModel& book) {
  ++book.sheetsCreated;
  SheetModel sheet{"Sheet" + std::to_string(book.sheetsCreated), {}, book.sheetsCreated};
  const int at = book.sheets.empty() ? 0 : book.activeSheet;
  book.sheets.insert(book.sheets.begin() + at, std::move(sheet));
  book.activeSheet = at;
}

std::vector<int> SheetsInFileOrder(const WorkbookModel& book) {
  std::vector<int> order(book.sheets.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = int(i);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return book.sheets[std::size_t(a)].number < book.sheets[std::size_t(b)].number; });
  std::vector<int> kept;
  for (int i : order) {
    const SheetModel& sheet = book.sheets[std::size_t(i)];
    if (sheet.cells.lastRow() > 0 || sheet.name != "Sheet" + std::to_string(sheet.number)) kept.push_back(i);
  }
  return kept.empty() ? order : kept;
}

bool SelectWorksheet(WorkbookModel& book, int index, std::string* error) {
  if (index < 1 || index > int(book.sheets.size())) {
    Fail(error, "no worksheet " + std::to_string(index));
    return false;
  }
  book.activeSheet = index - 1;
  return true;
}

bool RenameWorksheet(WorkbookModel& book, int index, const std::string& name, std::string* error) {
  if (index < 1 || index > int(book.sheets.size())) {
    Fail(error, "no worksheet " + std::to_string(index));
    return false;
  }
  const QString text = QString::fromStdString(name);
  if (text.isEmpty() || text.size() > kMaxSheetNameLength) {
    Fail(error, "a sheet name must have 1 to 31 characters");
    return false;
  }
  for (QChar ch : text) {
    if (QStringLiteral(":\\/?*[]").contains(ch)) {
      Fail(error, "a sheet name cannot hold : \\ / ? * [ ]");
      return false;
    }
  }
  if (text.startsWith(u'\'') || text.endsWith(u'\'')) {
    Fail(error, "a sheet name cannot start or end with an apostrophe");
    return false;
  }
  for (std::size_t i = 0; i < book.sheets.size(); ++i) {
    if (int(i) == index - 1) continue;
    if (QString::fromStdString(book.sheets[i].name).compare(text, Qt::CaseInsensitive) == 0) {
      Fail(error, "the name \"" + name + "\" is already taken");
      return false;
    }
  }
  book.sheets[std::size_t(index - 1)].name = name;
  return true;
}

bool SetCellText(WorkbookModel& book, int row, int column, const std::string& text, std::string* error) {
  if (book.sheets.empty()) {
    Fail(error, "no active sheet");
    return false;
  }
  if (row < 1 || row > kMaxSheetRows || column < 1 || column > kMaxSheetColumns) {
    Fail(error, "cell (" + std::to_string(row) + ", " + std::to_string(column) + ") is outside the sheet");
    return false;
  }
  // UTF-8 never has fewer bytes than UTF-16 units, so short texts need no count.
  if (text.size() > std::size_t(kMaxCellTextLength) &&
      QString::fromStdString(text).size() > kMaxCellTextLength) {
    Fail(error, "a cell holds at most 32767 characters");
    return false;
  }
  QString reason;
  if (!book.sheets[std::size_t(book.activeSheet)].cells.Set(row, column, ConvertCellText(text), &reason)) {
    Fail(error, "cannot keep the cell: " + reason.toStdString());
    return false;
  }
  return true;
}

std::string CellText(const WorkbookModel& book, int index, int row, int column) {
  if (index < 1 || index > int(book.sheets.size()) || row < 1 || column < 1) return {};
  const auto value = book.sheets[std::size_t(index - 1)].cells.Find(row, column);
  return value ? CellDisplayText(*value) : std::string();
}

}  // namespace lcr
