#pragma once
// Export Graph as an Exporter: a chart picture written as a JPEG.

#include <QImage>
#include <functional>

#include "files/exporter.h"

namespace lcr {

// `picture` draws the chart of the table being written (a StandaloneChart
// of the session's chart model).
using ChartPictureFn = std::function<QImage()>;
Exporter GraphExporter(ChartPictureFn picture);

}  // namespace lcr
