#pragma once
// Writes a workbook held in memory to an Office Open XML file.

#include <QString>

#include "log/workbook/workbook_model.h"

namespace lcr {

// Writes `book` to `path` through WriteFileSafely: a regular file is replaced
// only once the new one is complete, a device or FIFO is written into. Every cell is written as text. On failure returns false and puts
// the reason into *error; the file at `path` is then left as it was.
bool WriteWorkbookFile(const WorkbookModel& book, const QString& path, QString* error);

}  // namespace lcr
