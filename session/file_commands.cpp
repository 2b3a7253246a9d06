#include "session/file_commands.h"

#include <algorithm>

#include "session/view_updates.h"

namespace lcr {

OpenOutcome OpenIntoSession(Cycle& c, const QString& path, QString* error, const Progress& progress) {
  MeasurementTable opened;
  const OpenOutcome outcome = ReadDataFile(path, opened, error, progress);
  if (outcome == OpenOutcome::Opened) ShowOpenedTable(c, std::move(opened));
  return outcome;
}

void ShowOpenedTable(Cycle& c, MeasurementTable opened) {
  c.table = std::move(opened);
  WindowModel& w = c.win;
  const int count = c.table.RecordCount;
  const int page = w.pointsPerPage;

  ClearGrid(c.grid);
  // Disabled while their ranges are set: position changes run no view update.
  w.scrollBar1.enabled = w.scrollBar2.enabled = false;
  FillGrid(c, count);

  // A range of one page; set outright, so a larger minimum left by an earlier
  // page size cannot hold the maximum up.
  w.scrollBar1.minimum = w.scrollBar1.maximum = w.scrollBar1.position = page;

  FitGridScrollBar(c);
  SetScrollBar2Position(c, w.scrollBar2.maximum);

  UpdateChart(c, count);
  ReachChartToRecord(c, count);
  w.scrollBar1.enabled = w.scrollBar2.enabled = true;
  c.recordsInFile = count;
}

int UnsavedRecordCount(const Cycle& c) { return std::max(c.table.RecordCount - c.recordsInFile, 0); }

void MarkTableSaved(Cycle& c) { c.recordsInFile = c.table.RecordCount; }

void MarkTableUnsaved(Cycle& c) { c.recordsInFile = 0; }

std::string UnsavedRecordsQuestion(int count, DroppingCommand command) {
  const bool one = count == 1;
  std::string q = one ? "1 record is not saved. Save it before " : std::to_string(count) + " records are not saved. Save them before ";
  switch (command) {
    case DroppingCommand::Close:
      return q + "closing?";
    case DroppingCommand::Open:
      return q + "opening another file?";
    case DroppingCommand::Reset:
      return q + (one ? "clearing it?" : "clearing them?");
  }
  return q;
}

bool StopBeforeAsking(const Cycle& c) { return UnsavedRecordCount(c) > 0 && c.win.stopEnabled; }

bool GoOnAfterAnswer(UnsavedAnswer answer, const std::function<bool()>& save) {
  switch (answer) {
    case UnsavedAnswer::Discard:
      return true;
    case UnsavedAnswer::Save:
      return save();
    case UnsavedAnswer::Cancel:
      break;
  }
  return false;
}

}  // namespace lcr
