#include "app/standalone_chart.h"

#include <QChartView>
#include <QCoreApplication>
#include <QValueAxis>

#include "app/graph_export.h"

namespace lcr {

StandaloneChart::StandaloneChart(const ChartModel& model, int pointsPerPage, QSize shownAt, bool laidOut,
                                 std::vector<double> limitLines) {
  handles_ = BuildChartView(nullptr);
  view_.reset(handles_.view);
  auto* drawing = new ChartDrawing(view_.get(), handles_);
  handles_.bottom->setRange(0, pointsPerPage);
  // Shown, as the window's chart is, but never on a screen: the axes make
  // their grid lines as a shown view's do.
  view_->setAttribute(Qt::WA_DontShowOnScreen);
  view_->resize(shownAt);
  if (laidOut) {
    view_->show();
    SettleChartView(*view_);
  }
  drawing->setLimitLines(std::move(limitLines));
  drawing->show(model, pointsPerPage);
  view_->show();
  QCoreApplication::sendPostedEvents();
}

StandaloneChart::~StandaloneChart() = default;

QImage StandaloneChart::Picture() { return RenderChartPicture(*view_, {}); }

}  // namespace lcr
