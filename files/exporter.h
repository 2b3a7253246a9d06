#pragma once
// An export format: what the File menu offers, what the save dialog asks,
// and the writing itself. A new format is one file that makes its Exporter
// plus one line in the list (CoreExporters() here for a format without
// widgets; ExportersFor() in app/exporter_list.cpp for one that draws).

#include <QString>
#include <functional>
#include <vector>

#include "files/file_message.h"
#include "files/progress.h"
#include "table/measurement_table.h"

namespace lcr {

// How an export ended, with the words the user is told.
using ExportOutcome = FileMessage;

struct Exporter {
  QString name;         // lcrtool export --format NAME
  QString filter;       // the save dialog's filter
  QString suffix;       // added to a name typed without one
  QString menuCaption;  // the File menu's entry
  QString caption;      // the title of its progress dialog and its messages
  // Writes `table` to `path` (through WriteFileSafely); `progress` may cancel.
  std::function<ExportOutcome(const MeasurementTable& table, const QString& path, const Progress& progress)> write;

  ExportOutcome Write(const MeasurementTable& table, const QString& path, const Progress& progress = {}) const {
    return write(table, path, progress);
  }
};

// The formats that need no widgets, in menu order.
std::vector<Exporter> CoreExporters();

// The one named `name` in `list`, or null.
const Exporter* FindExporter(const std::vector<Exporter>& list, const QString& name);

}  // namespace lcr
