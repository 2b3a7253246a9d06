#include "data_file_input.h"

#include <cstdio>

#include "files/data_file.h"
#include "progress_line.h"

namespace lcrtool {

bool LoadDataFile(const QString& path, lcr::MeasurementTable& table) {
  QString error;
  lcr::OpenOutcome outcome;
  {
    ProgressLine line("reading " + path.toStdString());
    outcome = lcr::ReadDataFile(path, table, &error, line.progress());
  }
  switch (outcome) {
    case lcr::OpenOutcome::Opened:
      return true;
    case lcr::OpenOutcome::Invalid:
      std::fputs("Wrong Data Format!\n", stderr);
      return false;
    case lcr::OpenOutcome::Unreadable:
    case lcr::OpenOutcome::Cancelled:
      std::fprintf(stderr, "lcrtool: cannot read %s: %s\n", qPrintable(path), qPrintable(error));
      return false;
  }
  return false;
}

bool RequireRecords(const lcr::MeasurementTable& table) {
  if (table.RecordCount > 0) return true;
  std::fputs("No Any Date!\n", stderr);
  return false;
}

}  // namespace lcrtool
