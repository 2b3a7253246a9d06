// lcrtool workbook FILE OUT: the workbook of a data file, written by the same
// export as File, Export Excel File, with a progress line on a terminal.
#include <cstdio>

#include "commands.h"
#include "data_file_input.h"
#include "files/spreadsheet_export.h"
#include "files/workbook/xlsx_automation.h"
#include "progress_line.h"

namespace lcrtool {

int RunWorkbook(const QStringList& args) {
  if (args.size() != 2) {
    std::fputs("usage: lcrtool workbook FILE OUT\n", stderr);
    return 2;
  }
  lcr::MeasurementTable table;
  if (!LoadDataFile(args[0], table) || !RequireRecords(table)) return 2;

  std::array<std::string, lcr::kGridColumnCount> header;
  for (int c = 0; c < lcr::kGridColumnCount; ++c) header[std::size_t(c)] = std::string(lcr::kGridHeaders[std::size_t(c)]);

  lcr::XlsxAutomationServer server;
  std::string error;
  lcr::SpreadsheetExportOutcome outcome;
  {
    ProgressLine line("writing " + args[1].toStdString());
    lcr::SpreadsheetExportHooks hooks;
    hooks.progress = line.progress();
    outcome = lcr::ExportSpreadsheetFile(server, args[1], table, header, hooks, &error);
  }
  switch (outcome) {
    case lcr::SpreadsheetExportOutcome::Saved: return 0;
    case lcr::SpreadsheetExportOutcome::NoApplication:
      std::fputs("You must install Microsoft Excel!\n", stderr);
      return 1;
    case lcr::SpreadsheetExportOutcome::Failed:
    case lcr::SpreadsheetExportOutcome::Cancelled:
      std::fprintf(stderr, "open excel file fail!%s%s\n", error.empty() ? "" : " ", error.c_str());
      return 1;
  }
  return 1;
}

}  // namespace lcrtool
