#include "files/workbook/xlsx_file.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <chrono>
#include <future>
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

const QString kCancelled = QStringLiteral("Cancelled");

// The writing's whole, in steps: the rows handed to the library, then the
// library closing the book (compressing it into the file), then the copy
// into place. The shares follow what each part took at a million records.
constexpr qint64 kWhole = 1000;
constexpr qint64 kRowsShare = 550;
constexpr qint64 kCloseShare = 420;
constexpr qint64 kCopyShare = kWhole - kRowsShare - kCloseShare;

// Rows handed to the library between two reports to the progress.
constexpr int kRowsPerStep = 1024;

// Closing takes about this share of the time the rows took; the progress
// of the close is estimated from it, as the library says nothing until it
// is done, and held below the end of its share until then.
constexpr double kCloseToRows = 0.8;
constexpr double kCloseEstimateCap = 0.95;

// How often the close is looked at while it runs.
constexpr std::chrono::milliseconds kClosePoll{20};

// Reads `in` through, telling `progress` the bytes read of its size; after
// a cancel the next read fails.
class ProgressReader : public QIODevice {
 public:
  ProgressReader(QIODevice& in, Progress progress) : in_(in), progress_(std::move(progress)), total_(in.size()) {
    open(QIODevice::ReadOnly | QIODevice::Unbuffered);
  }
  bool isSequential() const override { return true; }
  bool atEnd() const override { return in_.atEnd(); }
  qint64 bytesAvailable() const override { return in_.bytesAvailable() + QIODevice::bytesAvailable(); }

 protected:
  qint64 readData(char* data, qint64 maxSize) override {
    if (!progress_(done_, total_)) {
      setErrorString(kCancelled);
      return -1;
    }
    const qint64 n = in_.read(data, maxSize);
    if (n < 0) setErrorString(in_.errorString());
    else done_ += n;
    return n;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QIODevice& in_;
  Progress progress_;
  qint64 total_;
  qint64 done_ = 0;
};

// Closes the workbook (the library writes the file then, in one call). With
// someone to tell, the close runs on a thread of its own while this one
// reports an estimate of its progress, so a window stays alive meanwhile. A
// cancel cannot stop the library: it is noted, and the close finishes first.
lxw_error CloseWorkbook(lxw_workbook* workbook, const Progress& progress, qint64 rowsMs, bool& cancelled) {
  if (!progress.step) return workbook_close(workbook);
  auto closing = std::async(std::launch::async, [workbook] { return workbook_close(workbook); });
  QElapsedTimer clock;
  clock.start();
  const double expectedMs = std::max(1.0, kCloseToRows * double(rowsMs));
  while (closing.wait_for(kClosePoll) != std::future_status::ready) {
    const double share = std::min(kCloseEstimateCap, double(clock.elapsed()) / expectedMs);
    if (!progress(qint64(share * 1000), 1000)) cancelled = true;
  }
  return closing.get();
}

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
bool WriteWithLibrary(const WorkbookModel& book, const QString& file, const QString& scratch, QString* error,
                      const Progress& progress) {
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
  qint64 totalRows = 0, rowsDone = 0;
  for (const SheetModel& sheet : book.sheets) totalRows += sheet.cells.lastRow();
  const Progress rowsProgress = PartOf(progress, 0, kRowsShare, kWhole);
  bool cancelled = false;
  QElapsedTimer rowsClock;
  rowsClock.start();
  bool ok = true;
  const std::vector<int> order = SheetsInFileOrder(book);
  for (std::size_t s = 0; s < order.size() && ok; ++s) {
    const SheetModel& sheet = book.sheets[std::size_t(order[s])];
    lxw_worksheet* worksheet = workbook_add_worksheet(workbook, sheet.name.c_str());
    if (!worksheet) {
      if (error) *error = QStringLiteral("cannot add the sheet \"%1\"").arg(QString::fromStdString(sheet.name));
      ok = false;
      break;
    }
    if (s == 0) worksheet_activate(worksheet);
    ok = sheet.cells.ForEachRow(
        [&](int row, const std::vector<SheetCell>& cells) {
          for (const SheetCell& cell : cells)
            if (!WriteCell(worksheet, row, cell, timeFormat, error)) return false;
          if (++rowsDone % kRowsPerStep == 0 && !rowsProgress(rowsDone, totalRows)) return !(cancelled = true);
          return true;
        },
        error);
  }
  // Closing writes the file, and frees the workbook either way.
  const lxw_error closed =
      CloseWorkbook(workbook, PartOf(progress, kRowsShare, kCloseShare, kWhole), rowsClock.elapsed(), cancelled);
  if (cancelled) {
    if (error) *error = kCancelled;
    return false;
  }
  if (ok && closed != LXW_NO_ERROR) {
    if (error) *error = LibraryError(closed);
    ok = false;
  }
  return ok;
}

}  // namespace

bool WriteWorkbookFile(const WorkbookModel& book, const QString& path, QString* error, const Progress& progress) {
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
  if (!WriteWithLibrary(book, written, scratch.path(), error, progress)) return false;
  // Copied into place a chunk at a time: a workbook of any size costs no
  // more memory than a small one.
  QFile in(written);
  if (!in.open(QIODevice::ReadOnly)) {
    if (error) *error = in.errorString();
    return false;
  }
  ProgressReader reader(in, PartOf(progress, kRowsShare + kCloseShare, kCopyShare, kWhole));
  return WriteFileSafely(path, reader, error);
}

}  // namespace lcr
