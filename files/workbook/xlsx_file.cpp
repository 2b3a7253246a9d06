#include "files/workbook/xlsx_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <xlsxwriter.h>

#include "files/safe_write.h"

namespace lcr {

namespace {

// The library takes file names as bytes: UTF-8 on Windows, the local
// file-name encoding elsewhere.
QByteArray NativeName(const QString& path) {
#ifdef Q_OS_WIN
  return QDir::toNativeSeparators(path).toUtf8();
#else
  return QFile::encodeName(path);
#endif
}

QString LibraryError(lxw_error code) { return QString::fromUtf8(lxw_strerror(code)); }

bool WriteCell(lxw_worksheet* sheet, int row, const SheetCell& cell, lxw_format* timeFormat, QString* error) {
  const auto r = lxw_row_t(row - 1);
  const auto c = lxw_col_t(cell.column - 1);
  lxw_error e = LXW_NO_ERROR;
  switch (cell.value.kind) {
    case CellValue::Kind::Number: e = worksheet_write_number(sheet, r, c, cell.value.number, nullptr); break;
    case CellValue::Kind::Time: e = worksheet_write_number(sheet, r, c, cell.value.number, timeFormat); break;
    case CellValue::Kind::Text: e = worksheet_write_string(sheet, r, c, cell.value.text.c_str(), nullptr); break;
    case CellValue::Kind::Blank: break;
  }
  if (e != LXW_NO_ERROR && error) *error = LibraryError(e);
  return e == LXW_NO_ERROR;
}

// Writes the workbook into `file` (a new file in a scratch folder). In the
// library's constant-memory mode each sheet's rows go to disk as they come,
// in rising order, which is the order SheetCells hands them out.
bool WriteWithLibrary(const WorkbookModel& book, const QString& file, const QString& scratch, QString* error) {
  const QByteArray name = NativeName(file);
  QByteArray tmpdir = NativeName(scratch);
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  options.tmpdir = tmpdir.data();
  options.use_zip64 = LXW_TRUE;
  lxw_workbook* workbook = workbook_new_opt(name.constData(), &options);
  if (!workbook) {
    if (error) *error = QStringLiteral("cannot start the workbook file");
    return false;
  }
  lxw_format* timeFormat = workbook_add_format(workbook);
  format_set_num_format(timeFormat, "hh:mm:ss");
  bool ok = true;
  for (std::size_t s = 0; s < book.sheets.size() && ok; ++s) {
    const SheetModel& sheet = book.sheets[s];
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.c_str());
    if (!worksheet) {
      if (error) *error = QStringLiteral("cannot add the sheet \"%1\"").arg(QString::fromStdString(sheet.name));
      ok = false;
      break;
    }
    if (int(s) == book.activeSheet) worksheet_activate(worksheet);
    ok = sheet.cells.ForEachRow(
        [&](int row, const std::vector<SheetCell>& cells) {
          for (const SheetCell& cell : cells)
            if (!WriteCell(worksheet, row, cell, timeFormat, error)) return false;
          return true;
        },
        error);
  }
  // Closing writes the file, and frees the workbook either way.
  const lxw_error closed = workbook_close(workbook);
  if (ok && closed != LXW_NO_ERROR) {
    if (error) *error = LibraryError(closed);
    ok = false;
  }
  return ok;
}

}  // namespace

bool WriteWorkbookFile(const WorkbookModel& book, const QString& path, QString* error) {
  if (book.sheets.empty()) {
    if (error) *error = QStringLiteral("a workbook needs a sheet");
    return false;
  }
  // The library's own scratch files go to a folder of their own.
  QTemporaryDir scratch;
  if (!scratch.isValid()) {
    if (error) *error = scratch.errorString();
    return false;
  }
  const QString written = scratch.filePath(QStringLiteral("book.xlsx"));
  if (!WriteWithLibrary(book, written, scratch.path(), error)) return false;
  // Copied into place a chunk at a time: a workbook of any size costs no
  // more memory than a small one.
  QFile in(written);
  if (!in.open(QIODevice::ReadOnly)) {
    if (error) *error = in.errorString();
    return false;
  }
  return WriteFileSafely(path, in, error);
}

}  // namespace lcr
