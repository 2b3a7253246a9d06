#pragma once
// Export CSV File as an Exporter: the table as UTF-8 comma-separated values
// (RFC 4180, CR LF line ends, a header row) that any tool reads: the six
// columns as the grid shows them, each value in base units with its unit,
// and the date and time of each live record.

#include "files/exporter.h"

namespace lcr {

Exporter CsvExporter();

}  // namespace lcr
