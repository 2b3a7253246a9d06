#pragma once
// Writes a workbook to an Office Open XML file, streaming each sheet's rows.

#include <QString>

#include "files/progress.h"
#include "files/workbook/workbook_model.h"

namespace lcr {

// Writes `book` to `path` through WriteFileSafely: a regular file is replaced
// only once the new one is complete, a device or FIFO is written into.
// Numbers and times are written as such (times shown "hh:mm:ss"), other
// texts as text. Memory use does not grow with the number of cells. On
// failure returns false and puts the reason into *error; the file at `path`
// is then left as it was. `progress` hears how far the writing got; a
// cancel is such a failure, with the reason "Cancelled".
bool WriteWorkbookFile(const WorkbookModel& book, const QString& path, QString* error,
                       const Progress& progress = {});

}  // namespace lcr
