#pragma once
// Every export format, in the File menu's order: those that draw with
// widgets, then the widget-free ones of files/.

#include <vector>

#include "app/graph_exporter.h"

namespace lcr {

// `chart` draws the chart Export Graph writes.
std::vector<Exporter> ExportersFor(ChartPictureFn chart);

}  // namespace lcr
