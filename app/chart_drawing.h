#pragma once
// The chart's widgets and how a chart model is drawn on them: one look and
// one drawing for the window's chart and for a chart drawn on its own
// (StandaloneChart, for Export Graph).

#include <QObject>
#include <cstdint>
#include <vector>

class QChart;
class QChartView;
class QGraphicsLineItem;
class QGraphicsSimpleTextItem;
class QLineSeries;
class QValueAxis;
class QWidget;

namespace lcr {

struct AxisScale;
struct ChartModel;
class StairsItem;

struct ChartHandles {
  QChartView* view = nullptr;
  QChart* chart = nullptr;
  QLineSeries* series = nullptr;  // empty; ties the axes together
  QValueAxis* left = nullptr;
  QValueAxis* bottom = nullptr;
};

// A chart view in the chart's look (colours, axes, pens), a child of `parent`.
ChartHandles BuildChartView(QWidget* parent);

// Draws a chart model on a chart view: the stepped line, the value axis
// and the time labels, kept in place as the plot changes size.
class ChartDrawing : public QObject {
  Q_OBJECT

 public:
  ChartDrawing(QObject* parent, const ChartHandles& widgets);
  ~ChartDrawing() override;

  // Shows `model` with `pointsPerPage` points across; the line and the axis
  // are redrawn only when the model changed. True when they were.
  bool show(const ChartModel& model, int pointsPerPage);

  // Limit lines at these left-axis values, dashed across the plot where
  // they fall inside the axis' range; none drawn (and nothing made) for none.
  void setLimitLines(std::vector<double> values);
  // The lines shown now, in axis values.
  std::vector<double> limitLinesShown() const;

  const StairsItem& stairs() const { return *stairs_; }
  const std::vector<QGraphicsSimpleTextItem*>& timeLabels() const { return labels_; }
  int timeLabelCount() const { return labelsShown_; }

 private:
  void showLine();
  void showValueAxis(const AxisScale& scale);
  void placeStairs();
  void placeLimitLines();
  void showTimeLabels();
  void placeTimeLabels();

  const ChartHandles w_;
  const ChartModel* model_ = nullptr;
  int points_ = 0;
  std::uint64_t shown_ = ~0ull;
  StairsItem* stairs_ = nullptr;  // owned by the chart
  std::vector<QGraphicsSimpleTextItem*> labels_;
  std::vector<double> limitValues_;
  std::vector<QGraphicsLineItem*> limitLines_;  // owned by the chart; only the first limitLinesShown_ shown
  std::vector<double> limitLinesAt_;
  int labelsShown_ = 0;
  int labelStepShown_ = -1;
  int labelPointsShown_ = -1;
  std::uint64_t labelsRevision_ = ~0ull;
};

}  // namespace lcr
