#pragma once
// Shows the chart, grid and statistics models on the main window's widgets,
// and runs the chart read-out from the mouse. The rules live in the models;
// this only draws what they decided.

#include <QObject>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class QGraphicsSimpleTextItem;

#include "app/widget_handles.h"

namespace lcr {

struct AxisScale;
struct Cycle;
class StairsItem;

class ViewWidgets : public QObject {
  Q_OBJECT

 public:
  // Drives `widgets` (made and owned by the window) from the models of `cycle`.
  ViewWidgets(QObject* parent, const ViewHandles& widgets, const Cycle& cycle);
  ~ViewWidgets() override;

  // Redraws whatever model changed since the last call.
  void apply();

  // The stepped line: its pieces between gaps, in axis values.
  const StairsItem& stairs() const { return *stairs_; }
  // The time labels under the plot; only the first timeLabelCount() are shown.
  const std::vector<QGraphicsSimpleTextItem*>& timeLabels() const { return labels_; }
  int timeLabelCount() const { return labelsShown_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showChart();
  void showValueAxis(const AxisScale& scale);
  void placeStairs();
  void showTimeLabels();
  void placeTimeLabels();
  void showGrid();
  void showReadout(int x, int y);
  void hideStaleReadout();

  const ViewHandles w_;
  const Cycle& cycle_;
  std::uint64_t chartShown_ = ~0ull;
  std::vector<std::uint64_t> gridShown_;
  int indexDigitsShown_ = 0;  // the Index column has room for this many digits
  StairsItem* stairs_ = nullptr;  // owned by the chart
  std::vector<QGraphicsSimpleTextItem*> labels_;
  int labelsShown_ = 0;
  int labelStepShown_ = -1;
  int labelPointsShown_ = -1;
  std::uint64_t labelsRevision_ = ~0ull;
  std::optional<long long> readoutRow_;  // what the read-out box tells of
  std::string readoutText_;
};

}  // namespace lcr
