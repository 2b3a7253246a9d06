#pragma once
// Export Excel File as an Exporter: the table written into a workbook.

#include "files/exporter.h"

namespace lcr {

class AutomationServer;

// Writes through the program's own workbook writer unless `server` is
// given (it must outlive the exporter).
Exporter WorkbookExporter(AutomationServer* server = nullptr);

}  // namespace lcr
