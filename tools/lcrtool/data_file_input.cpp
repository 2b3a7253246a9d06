#include "data_file_input.h"

#include <cstdio>

#include "files/data_file.h"
#include "files/file_message.h"
#include "progress_line.h"

namespace lcrtool {

void Say(const lcr::FileMessage& message, const char* verb) {
  const QString line = message.Line();
  if (line.isEmpty()) return;
  std::fprintf(stderr, "%s%s%s\n", verb ? verb : "", verb ? ": " : "", qPrintable(line));
}

bool LoadDataFile(const QString& path, lcr::MeasurementTable& table) {
  QString error;
  lcr::OpenOutcome outcome;
  {
    ProgressLine line("reading " + path.toStdString());
    outcome = lcr::ReadDataFile(path, table, &error, line.progress());
  }
  if (outcome == lcr::OpenOutcome::Opened) return true;
  Say(lcr::OpenMessage(outcome, path, error));
  return false;
}

bool RequireRecords(const lcr::MeasurementTable& table) {
  if (table.RecordCount > 0) return true;
  Say(lcr::EmptyTableMessage());
  return false;
}

}  // namespace lcrtool
