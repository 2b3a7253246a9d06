#pragma once
// The tab-separated data file: a count line, then one line per record.

#include <QString>
#include <string>
#include <string_view>
#include <vector>

#include "table/measurement_table.h"

namespace lcr {

// One record's five texts, tab-separated, as a line of the data file holds
// them after its index.
void AppendRecordFields(std::string& out, const MeasurementRecord& rec);

// The exact bytes File, Save writes for the table (GBK, CR LF line ends).
std::string FormatDataFile(const MeasurementTable& table);

// Writes FormatDataFile(table) to `path` through WriteFileSafely (a regular
// file is replaced whole, a device or FIFO written into). On failure returns
// false and puts the reason into *error.
bool WriteDataFile(const QString& path, const MeasurementTable& table, QString* error);

// Reads the bytes of a data file into records 1..n (records[0] is record 1).
// False when the file is not in the expected format; `records` is then
// unspecified and the caller keeps its table as it was.
bool ParseDataFile(std::string_view bytes, std::vector<MeasurementRecord>& records);

enum class OpenOutcome { Opened, Invalid, Unreadable };

// Reads and parses the file at `path`. Unreadable sets *error.
OpenOutcome ReadDataFile(const QString& path, std::vector<MeasurementRecord>& records, QString* error);

}  // namespace lcr
