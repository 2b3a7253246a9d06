#include "app/exporter_list.h"

namespace lcr {

std::vector<Exporter> ExportersFor(ChartPictureFn chart) {
  std::vector<Exporter> list{
      GraphExporter(std::move(chart)),
  };
  for (Exporter& e : CoreExporters()) list.push_back(std::move(e));
  return list;
}

}  // namespace lcr
