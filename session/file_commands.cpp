#include "session/file_commands.h"

#include "session/view_updates.h"

namespace lcr {

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
  c.tableUnsaved = false;
}

int UnsavedRecordCount(const Cycle& c) { return c.tableUnsaved ? c.table.RecordCount : 0; }

void MarkTableSaved(Cycle& c) { c.tableUnsaved = false; }

void MarkTableUnsaved(Cycle& c) { c.tableUnsaved = true; }

std::string UnsavedRecordsQuestion(int count) {
  if (count == 1) return "1 record is not saved. Save it before closing?";
  return std::to_string(count) + " records are not saved. Save them before closing?";
}

bool CloseAfterAnswer(CloseAnswer answer, const std::function<bool()>& save) {
  switch (answer) {
    case CloseAnswer::Discard:
      return true;
    case CloseAnswer::Save:
      return save();
    case CloseAnswer::Cancel:
      break;
  }
  return false;
}

}  // namespace lcr
