#pragma once
// Shows the chart, grid and statistics models on the main window's widgets,
// and runs the chart read-out from the mouse. The rules live in the models;
// this only draws what they decided.

#include <QObject>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/chart_drawing.h"
#include "app/widget_handles.h"

namespace lcr {

struct Cycle;

class ViewWidgets : public QObject {
  Q_OBJECT

 public:
  // Drives `widgets` (made and owned by the window) from the models of `cycle`.
  ViewWidgets(QObject* parent, const ViewHandles& widgets, const Cycle& cycle);
  ~ViewWidgets() override;

  // Redraws whatever model changed since the last call.
  void apply();

  // The stepped line: its pieces between gaps, in axis values.
  const StairsItem& stairs() const { return chart_->stairs(); }
  // The time labels under the plot; only the first timeLabelCount() are shown.
  const std::vector<QGraphicsSimpleTextItem*>& timeLabels() const { return chart_->timeLabels(); }
  int timeLabelCount() const { return chart_->timeLabelCount(); }
  // The limit lines drawn on the chart, in axis values.
  std::vector<double> limitLinesShown() const { return chart_->limitLinesShown(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showGrid();
  void showReadout(int x, int y);
  void hideStaleReadout();

  const ViewHandles w_;
  const Cycle& cycle_;
  std::vector<std::uint64_t> gridShown_;
  std::vector<char> marksShown_;  // rows whose value cell shows the out-of-limits mark
  static constexpr int kMarkedColumn = 2;  // Main
  ChartDrawing* chart_ = nullptr;  // a child QObject
  int indexDigitsShown_ = 0;  // the Index column has room for this many digits
  std::optional<long long> readoutRow_;  // what the read-out box tells of
  std::string readoutText_;
};

}  // namespace lcr
