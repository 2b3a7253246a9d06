#pragma once
// The tab-separated data file: a count line, then one line per record.

#include <QString>
#include <string>

#include "log/measurement_table.h"

namespace lcr {

// The exact bytes File, Save writes for the table (GBK, CR LF line ends).
std::string FormatDataFile(const MeasurementTable& table);

// Writes FormatDataFile(table) to `path`, replacing any file there. On
// failure returns false and puts the reason into *error.
bool WriteDataFile(const QString& path, const MeasurementTable& table, QString* error);

}  // namespace lcr
