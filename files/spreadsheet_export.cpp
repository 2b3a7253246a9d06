#include "files/spreadsheet_export.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "decode/gbk.h"
#include "table/record_text.h"
#include "files/safe_write.h"

namespace lcr {

namespace {

std::string TrimmedUtf8(std::string_view gbk) { return GbkToUtf8(Trim(gbk)); }

// Runs a clean-up call whose own failure no longer matters: the export has
// already failed and the user is told so.
template <typename Call>
void Quietly(Call&& call) {
  try {
    call();
  } catch (const AutomationError&) {
  }
}

// The export's whole, in steps: the typing of the records takes the first
// share, saving the book (the spreadsheet library's work) the rest.
constexpr qint64 kWhole = 1000;
constexpr qint64 kTypingShare = 60;

// Records typed between two reports to the progress.
constexpr std::int32_t kRecordsPerStep = 1024;

void WriteRecords(SpreadsheetApplication& app, const MeasurementTable& table,
                  const std::array<std::string, kRecordColumnCount>& header, const Progress& progress) {
  for (std::int32_t i = 1; i <= table.RecordCount; ++i) {
    if (i % kRecordsPerStep == 1 && !progress(i - 1, table.RecordCount)) throw AutomationError("Cancelled");
    const int row = SheetRowOfRecord(i);
    if (row == 2) {
      // A new block: its sheet goes in front and is named after the block.
      app.WorksheetsAdd();
      app.SelectWorksheet(1);
      app.SetWorksheetName(1, "page " + std::to_string(SheetOfRecord(i)));
      for (int c = 0; c < kRecordColumnCount; ++c) app.SetCell(1, c + 1, std::string(Trim(header[std::size_t(c)])));
    }
    const auto cells = RecordCells(table, i);
    for (int c = 0; c < kRecordColumnCount; ++c) app.SetCell(row, c + 1, cells[std::size_t(c)]);
  }
}

// The complete book, saved by the application as `draft`, replaces
// `fileName` (or is written into it, when it is a device) through the
// checked write. False, with the reason in *error, when it cannot.
bool PutInPlace(const QString& draft, const QString& fileName, std::string* error) {
  QFile book(draft);
  QString why;
  if (!book.open(QIODevice::ReadOnly))
    why = QStringLiteral("the saved workbook %1 cannot be read: %2").arg(draft, book.errorString());
  else if (WriteFileSafely(fileName, book, &why))
    return true;
  if (error) *error = why.toStdString();
  return false;
}

// A call that hands back no workbook has failed.
std::shared_ptr<WorkbookObject> Require(std::shared_ptr<WorkbookObject> book) {
  if (!book) throw AutomationError("no workbook");
  return book;
}

}  // namespace

std::array<std::string, kRecordColumnCount> RecordCells(const MeasurementTable& table, std::int32_t i) {
  const std::string index = std::to_string(i);
  const auto texts = RecordColumnTexts(index, RowAt(table, i));
  std::array<std::string, kRecordColumnCount> cells;
  cells[0] = index;
  for (std::size_t c = 1; c < texts.size(); ++c) cells[c] = TrimmedUtf8(texts[c]);
  return cells;
}

SpreadsheetExportOutcome ExportSpreadsheetFile(AutomationServer& server, const QString& fileName,
                                               const MeasurementTable& table,
                                               const std::array<std::string, kRecordColumnCount>& header,
                                               const SpreadsheetExportHooks& hooks, std::string* error) {
  std::unique_ptr<SpreadsheetApplication> app;
  std::shared_ptr<WorkbookObject> book;
  try {
    app = server.CreateApplication();
    if (app) book = server.CreateSheet();
  } catch (const AutomationError& e) {
    if (error) *error = e.what();
    app.reset();
  }
  if (!app || !book) {
    if (app) Quietly([&] { app->Quit(); });
    return SpreadsheetExportOutcome::NoApplication;
  }

  // The application saves the book, empty at first, as a draft of the same
  // name in a scratch folder; only the complete book replaces `fileName`,
  // once, so a failure anywhere leaves the file there as it was.
  QTemporaryDir scratch;
  const QString name = QFileInfo(fileName).fileName();
  const QString draft = scratch.filePath(name.isEmpty() ? QStringLiteral("book.xlsx") : name);
  // A stop said by the progress, wherever it came from, is a cancel.
  bool cancelled = false;
  Progress watched;
  if (hooks.progress.step)
    watched.step = [&](qint64 done, qint64 total) { return hooks.progress(done, total) || !(cancelled = true); };
  try {
    if (!scratch.isValid()) throw AutomationError("no scratch folder for the workbook: " + scratch.errorString().toStdString());
    book = Require(app->WorkbooksAdd());
    book->SaveAs(draft);
    book->Close();
    if (hooks.repaintWindow) hooks.repaintWindow();
    book = Require(app->WorkbooksOpen(draft));
    WriteRecords(*app, table, header, PartOf(watched, 0, kTypingShare, kWhole));
    app->SetSaveProgress(PartOf(watched, kTypingShare, kWhole - kTypingShare, kWhole));
    book->Save();
    app->SetSaveProgress({});
    book->SetSaved(true);
    book->Close();
    app->Quit();
    return PutInPlace(draft, fileName, error) ? SpreadsheetExportOutcome::Saved : SpreadsheetExportOutcome::Failed;
  } catch (const AutomationError& e) {
    if (error) *error = e.what();
    // The book may already be closed, or never have been opened: the
    // clean-up must not fail in its turn.
    Quietly([&] {
      if (book) book->Close();
    });
    Quietly([&] { app->Quit(); });
    return cancelled ? SpreadsheetExportOutcome::Cancelled : SpreadsheetExportOutcome::Failed;
  }
}

}  // namespace lcr
