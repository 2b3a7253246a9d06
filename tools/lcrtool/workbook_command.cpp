// lcrtool workbook FILE OUT: the workbook of a data file, written by the same
// export as File, Export Excel File, with a progress line on a terminal.
#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define LCRTOOL_ISATTY(f) _isatty(_fileno(f))
#else
#include <unistd.h>
#define LCRTOOL_ISATTY(f) isatty(fileno(f))
#endif

#include "commands.h"
#include "data_file_input.h"
#include "files/spreadsheet_export.h"
#include "files/workbook/xlsx_automation.h"

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

  lcr::SpreadsheetExportHooks hooks;
  const bool terminal = LCRTOOL_ISATTY(stderr) != 0;
  int total = 0, shown = -1;
  if (terminal) {
    hooks.showProgress = [&](int maximum) { total = maximum; };
    // A line redrawn per whole percent, not per record.
    hooks.progress = [&](int position) {
      const int percent = int(100LL * position / std::max(total, 1));
      if (percent == shown) return;
      shown = percent;
      std::fprintf(stderr, "\rrecord %d of %d (%d%%)", position, total, percent);
      std::fflush(stderr);
    };
  }
  lcr::XlsxAutomationServer server;
  std::string error;
  const auto outcome = lcr::ExportSpreadsheetFile(server, args[1], table, header, hooks, &error);
  if (terminal) std::fputc('\n', stderr);
  switch (outcome) {
    case lcr::SpreadsheetExportOutcome::Saved: return 0;
    case lcr::SpreadsheetExportOutcome::NoApplication:
      std::fputs("You must install Microsoft Excel!\n", stderr);
      return 1;
    case lcr::SpreadsheetExportOutcome::Failed:
      std::fprintf(stderr, "open excel file fail!%s%s\n", error.empty() ? "" : " ", error.c_str());
      return 1;
  }
  return 1;
}

}  // namespace lcrtool
