#include "files/exporter.h"

#include "files/workbook_exporter.h"

namespace lcr {

std::vector<Exporter> CoreExporters() {
  return {
      WorkbookExporter(),
  };
}

const Exporter* FindExporter(const std::vector<Exporter>& list, const QString& name) {
  for (const Exporter& e : list)
    if (e.name == name) return &e;
  return nullptr;
}

}  // namespace lcr
