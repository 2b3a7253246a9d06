#include "data_file_input.h"

#include <cstdio>
#include <vector>

#include "files/data_file.h"

namespace lcrtool {

bool LoadDataFile(const QString& path, lcr::MeasurementTable& table) {
  std::vector<lcr::MeasurementRecord> records;
  QString error;
  switch (lcr::ReadDataFile(path, records, &error)) {
    case lcr::OpenOutcome::Opened:
      lcr::ReplaceRecords(table, records);
      return true;
    case lcr::OpenOutcome::Invalid:
      std::fputs("Wrong Data Format!\n", stderr);
      return false;
    case lcr::OpenOutcome::Unreadable:
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
