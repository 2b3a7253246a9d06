#include "files/exporter.h"

#include "files/csv_exporter.h"
#include "files/workbook_exporter.h"

namespace lcr {

std::vector<Exporter> CoreExporters() {
  return {
      WorkbookExporter(),
      CsvExporter(),
  };
}

const Exporter* FindExporter(const std::vector<Exporter>& list, const QString& name) {
  for (const Exporter& e : list)
    if (e.name == name) return &e;
  return nullptr;
}

}  // namespace lcr
