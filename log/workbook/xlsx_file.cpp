#include "log/workbook/xlsx_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <xlsxwriter.h>

#include "log/safe_write.h"

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

// Writes the workbook into `file` (a new file in a scratch folder).
bool WriteWithLibrary(const WorkbookModel& book, const QString& file, const QString& scratch, QString* error) {
  const QByteArray name = NativeName(file);
  QByteArray tmpdir = NativeName(scratch);
  lxw_workbook_options options{};
  options.tmpdir = tmpdir.data();
  lxw_workbook* workbook = workbook_new_opt(name.constData(), &options);
  if (!workbook) {
    if (error) *error = QStringLiteral("cannot start the workbook file");
    return false;
  }
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
    for (std::size_t r = 0; r < sheet.rows.size() && ok; ++r) {
      const auto& cells = sheet.rows[r];
      for (std::size_t c = 0; c < cells.size(); ++c) {
        if (cells[c].empty()) continue;  // a blank cell
        const lxw_error e = worksheet_write_string(worksheet, lxw_row_t(r), lxw_col_t(c), cells[c].c_str(), nullptr);
        if (e != LXW_NO_ERROR) {
          if (error) *error = LibraryError(e);
          ok = false;
          break;
        }
      }
    }
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
  // The library writes to a scratch file; the result goes into place whole.
  QTemporaryDir scratch;
  if (!scratch.isValid()) {
    if (error) *error = scratch.errorString();
    return false;
  }
  const QString written = scratch.filePath(QStringLiteral("book.xlsx"));
  if (!WriteWithLibrary(book, written, scratch.path(), error)) return false;

  QFile in(written);
  if (!in.open(QIODevice::ReadOnly)) {
    if (error) *error = in.errorString();
    return false;
  }
  const QByteArray bytes = in.readAll();
  return WriteFileSafely(path, bytes, error);
}

}  // namespace lcr
