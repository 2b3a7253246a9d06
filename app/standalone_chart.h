#pragma once
// A chart drawn from a chart model alone, without the window: what Export
// Graph writes, for the window and for lcrtool alike.

#include <QImage>
#include <QSize>
#include <memory>
#include <vector>

#include "app/chart_drawing.h"

class QChartView;

namespace lcr {

class StandaloneChart {
 public:
  // `model` shown with `pointsPerPage` points across on a chart of
  // `shownAt`, the size the window's chart had when it showed the model.
  // The value axis's tick count follows the plot's height then, which a
  // chart not yet laid out (a window not yet shown) does not know:
  // `laidOut` says whether the window's chart was. `limitLines` are drawn
  // as the window's chart draws them (ChartDrawing::setLimitLines).
  StandaloneChart(const ChartModel& model, int pointsPerPage, QSize shownAt, bool laidOut = true,
                  std::vector<double> limitLines = {});
  ~StandaloneChart();
  StandaloneChart(const StandaloneChart&) = delete;
  StandaloneChart& operator=(const StandaloneChart&) = delete;

  // The 1024 x 768 picture (RenderChartPicture).
  QImage Picture();

 private:
  std::unique_ptr<QChartView> view_;
  ChartHandles handles_;
};

}  // namespace lcr
