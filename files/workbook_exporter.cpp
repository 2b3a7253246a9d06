#include "files/workbook_exporter.h"

#include "files/spreadsheet_export.h"
#include "files/workbook/xlsx_automation.h"

namespace lcr {

namespace {

const QString kCaption = QStringLiteral("Save Excel File");

ExportOutcome WriteWorkbook(AutomationServer* server, const MeasurementTable& table, const QString& path,
                            const Progress& progress) {
  XlsxAutomationServer ownServer;
  AutomationServer& use = server ? *server : ownServer;
  std::array<std::string, kRecordColumnCount> header;
  for (int c = 0; c < kRecordColumnCount; ++c) header[std::size_t(c)] = std::string(kRecordColumnHeaders[std::size_t(c)]);
  SpreadsheetExportHooks hooks;
  hooks.progress = progress;
  std::string error;
  ExportOutcome out;
  out.caption = kCaption;
  switch (ExportSpreadsheetFile(use, path, table, header, hooks, &error)) {
    case SpreadsheetExportOutcome::Saved:
      out.kind = ExportOutcome::Kind::Saved;
      out.text = QStringLiteral("Save Excel file Successfully.");
      break;
    case SpreadsheetExportOutcome::NoApplication:
      out.kind = ExportOutcome::Kind::Failed;
      out.text = QStringLiteral("You must install Microsoft Excel!");
      break;
    case SpreadsheetExportOutcome::Failed:
      out.kind = ExportOutcome::Kind::Failed;
      out.text = QStringLiteral("open excel file fail!");
      out.detail = QString::fromStdString(error);
      break;
    case SpreadsheetExportOutcome::Cancelled:
      out.kind = ExportOutcome::Kind::Cancelled;
      break;
  }
  return out;
}

}  // namespace

// The workbook is Office Open XML, so the dialog offers .xlsx; a name the
// user types with another extension, .xls included, is kept as typed.
Exporter WorkbookExporter(AutomationServer* server) {
  return {QStringLiteral("workbook"), QStringLiteral("Excel File (*.XLSX)"), QStringLiteral("xlsx"),
          QStringLiteral("Export Excel File"), kCaption,
          [server](const MeasurementTable& table, const QString& path, const Progress& progress) {
            return WriteWorkbook(server, table, path, progress);
          }};
}

}  // namespace lcr
