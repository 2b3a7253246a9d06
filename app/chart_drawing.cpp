#include "app/chart_drawing.h"

#include <QChart>
#include <QChartView>
#include <QFrame>
#include <QGraphicsLayout>
#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QLineSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <utility>

#include "app/show_text.h"
#include "app/stairs_item.h"
#include "views/chart_axis.h"
#include "views/chart_model.h"
#include "views/chart_stairs.h"
#include "views/limit_marks.h"

namespace lcr {

namespace {

// The axes' lines, ticks and grid lines are repainted under the line on
// every tick; each is a hairline stroked pixel by pixel. Drawn once into a
// pixmap of its own, it is copied instead. The chart makes new items as
// its ticks change, so each showing of the chart looks for them.
void CacheLines(QGraphicsScene* scene) {
  if (!scene) return;
  for (QGraphicsItem* item : scene->items())
    if (item->type() == QGraphicsLineItem::Type && item->cacheMode() == QGraphicsItem::NoCache)
      item->setCacheMode(QGraphicsItem::DeviceCoordinateCache);
}

}  // namespace

ChartHandles BuildChartView(QWidget* parent) {
  ChartHandles h;
  h.chart = new QChart();
  h.chart->legend()->hide();
  h.chart->setBackgroundRoundness(0);
  h.chart->setMargins(QMargins(4, 6, 8, 2));
  QLinearGradient background(0, 0, 0, 1);
  background.setCoordinateMode(QGradient::ObjectMode);
  background.setColorAt(0, QColor(0x12, 0x2f, 0x5e));
  background.setColorAt(1, QColor(0x06, 0x13, 0x2b));
  h.chart->setBackgroundBrush(background);
  h.chart->setPlotAreaBackgroundVisible(true);
  h.chart->setPlotAreaBackgroundBrush(QColor(0x04, 0x0d, 0x1f));

  h.series = new QLineSeries();
  h.series->setObjectName(QStringLiteral("Series1"));
  h.series->setName(QStringLiteral("Series1"));
  h.series->setPen(QPen(QColor(Qt::red), 1.5));
  h.series->setPointsVisible(false);
  h.chart->addSeries(h.series);

  h.left = new QValueAxis();
  h.bottom = new QValueAxis();
  for (QValueAxis* axis : {h.left, h.bottom}) {
    axis->setLabelsColor(QColor(0xc8, 0xd8, 0xf4));
    // Hairline pens: drawn like any pen up to a pixel wide, but the scene
    // measures each grid line and tick from its ends instead of stroking
    // its outline on every repaint.
    axis->setLinePen(QPen(QColor(0x4a, 0x6f, 0xb0), 0));
    axis->setGridLinePen(QPen(QColor(0x1f, 0x36, 0x5f), 0));
    axis->setMinorGridLineVisible(false);
  }
  h.left->setRange(0, 1);
  h.left->setTickCount(11);
  h.left->setLabelFormat(QStringLiteral("%.1f"));
  // The points' time texts label the bottom axis (drawn by ChartDrawing).
  h.bottom->setLabelsVisible(false);
  h.bottom->setTickType(QValueAxis::TicksDynamic);
  h.bottom->setTickAnchor(0);
  h.bottom->setTickInterval(10);
  h.chart->addAxis(h.left, Qt::AlignLeft);
  h.chart->addAxis(h.bottom, Qt::AlignBottom);
  h.series->attachAxis(h.left);
  h.series->attachAxis(h.bottom);

  h.view = new QChartView(h.chart, parent);
  h.view->setObjectName(QStringLiteral("Chart1"));
  h.view->setRenderHint(QPainter::Antialiasing, false);
  h.view->setRubberBand(QChartView::NoRubberBand);
  h.view->setFrameShape(QFrame::NoFrame);
  h.view->setBackgroundBrush(QColor(0x06, 0x13, 0x2b));
  h.chart->layout()->setContentsMargins(0, 0, 0, 0);
  return h;
}

ChartDrawing::ChartDrawing(QObject* parent, const ChartHandles& widgets) : QObject(parent), w_(widgets) {
  // The line is drawn by hand in the series' pen; the series stays empty
  // and only ties the axes together for the read-out.
  stairs_ = new StairsItem(w_.chart);
  stairs_->setPen(w_.series->pen());
  connect(w_.chart, &QChart::plotAreaChanged, this, [this] {
    placeStairs();
    showTimeLabels();
    placeTimeLabels();
  });
  for (QValueAxis* axis : {w_.left, w_.bottom}) connect(axis, &QValueAxis::rangeChanged, this, &ChartDrawing::placeStairs);
  // Room under the plot for the time labels, and for half a label right of it.
  const int labelHeight = QFontMetrics(w_.left->labelsFont()).height();
  w_.chart->setMargins(QMargins(8, 6, 30, labelHeight + 6));
}

ChartDrawing::~ChartDrawing() = default;

bool ChartDrawing::show(const ChartModel& model, int pointsPerPage) {
  model_ = &model;
  points_ = pointsPerPage;
  if (model.revision == shown_) {
    showTimeLabels();  // the page size may have changed
    return false;
  }
  showLine();
  return true;
}

void ChartDrawing::showLine() {
  const ChartModel& m = *model_;
  shown_ = m.revision;

  // Runs of values between gaps, each a piece of the line of its own, so a
  // gap leaves the line open.
  std::vector<QList<QPointF>> runs;
  for (std::size_t j = 0; j < m.points.size();) {
    if (!m.points[j].value) {
      ++j;
      continue;
    }
    std::size_t end = j;
    while (end + 1 < m.points.size() && m.points[end + 1].value) ++end;
    runs.emplace_back();
    StairsOf(m.points, j, end, runs.back());
    j = end + 1;
  }
  stairs_->setRuns(std::move(runs));

  // Left axis: the model's format and increment, as a readable scale.
  const int plotHeight = int(w_.chart->plotArea().height());
  showValueAxis(ChooseValueAxis(m, std::clamp(plotHeight / 28, 3, 11)));
  CacheLines(w_.chart->scene());
  placeStairs();
  showTimeLabels();
}

// Each axis setting is passed on only when it changes: some setters relay
// out the whole chart, measuring every label again, even for an equal value.
void ChartDrawing::showValueAxis(const AxisScale& scale) {
  QValueAxis* axis = w_.left;
  const QString format = QStringLiteral("%.%1f").arg(scale.decimals);
  if (axis->labelFormat() != format) axis->setLabelFormat(format);
  if (axis->tickType() != QValueAxis::TicksDynamic) axis->setTickType(QValueAxis::TicksDynamic);
  if (axis->tickAnchor() != scale.minimum) axis->setTickAnchor(scale.minimum);
  if (axis->tickInterval() != scale.step) axis->setTickInterval(scale.step);
  if (axis->min() != scale.minimum || axis->max() != scale.maximum) axis->setRange(scale.minimum, scale.maximum);
}

// Time labels under every tenth point, or every twentieth and so on when
// the plot is too narrow for that many. They are drawn by hand, so that the
// first one keeps its place at the plot's left edge.
void ChartDrawing::showTimeLabels() {
  if (!model_) return;
  const ChartModel& m = *model_;
  const int points = points_;
  const QFontMetrics metrics(w_.left->labelsFont());
  const int step = TimeLabelStep(w_.chart->plotArea().width(), points,
                                 metrics.horizontalAdvance(QStringLiteral("00:00:00")) + 14);
  if (step == labelStepShown_ && points == labelPointsShown_ && labelsRevision_ == m.revision) return;
  labelStepShown_ = step;
  labelPointsShown_ = points;
  labelsRevision_ = m.revision;
  if (w_.bottom->tickInterval() != step) w_.bottom->setTickInterval(step);

  int n = 0;
  for (std::size_t j = 0; j < m.points.size(); j += std::size_t(step), ++n) {
    if (std::size_t(n) == labels_.size()) {
      auto* label = new QGraphicsSimpleTextItem(w_.chart);
      label->setFont(w_.left->labelsFont());
      label->setBrush(w_.left->labelsColor());
      labels_.push_back(label);
    }
    labels_[std::size_t(n)]->setText(GbkToQString(m.points[j].label));
    labels_[std::size_t(n)]->setData(0, qreal(j));
  }
  for (std::size_t i = std::size_t(n); i < labels_.size(); ++i) labels_[i]->hide();
  labelsShown_ = n;
  placeTimeLabels();
}

void ChartDrawing::placeStairs() {
  stairs_->setFrame(w_.chart->plotArea(), w_.bottom->min(), w_.bottom->max(), w_.left->min(), w_.left->max());
  placeLimitLines();
}

void ChartDrawing::setLimitLines(std::vector<double> values) {
  if (values == limitValues_) return;
  limitValues_ = std::move(values);
  placeLimitLines();
}

std::vector<double> ChartDrawing::limitLinesShown() const { return limitLinesAt_; }

void ChartDrawing::placeLimitLines() {
  limitLinesAt_ = LinesWithin(limitValues_, w_.left->min(), w_.left->max());
  const QRectF plot = w_.chart->plotArea();
  const double span = w_.left->max() - w_.left->min();
  for (std::size_t i = 0; i < limitLinesAt_.size(); ++i) {
    if (i == limitLines_.size()) {
      auto* line = new QGraphicsLineItem(w_.chart);
      // Amber beside the red line, dashed so it reads as a bound, not data.
      QPen pen(QColor(0xff, 0xb0, 0x20), 0, Qt::DashLine);
      line->setPen(pen);
      line->setZValue(stairs_->zValue() + 1);
      limitLines_.push_back(line);
    }
    const double at = span > 0 ? (limitLinesAt_[i] - w_.left->min()) / span : 0;
    const qreal y = std::round(plot.bottom() - at * plot.height());
    limitLines_[i]->setLine(plot.left(), y, plot.right(), y);
    limitLines_[i]->show();
  }
  for (std::size_t i = limitLinesAt_.size(); i < limitLines_.size(); ++i) limitLines_[i]->hide();
}

void ChartDrawing::placeTimeLabels() {
  const QRectF plot = w_.chart->plotArea();
  const qreal perPoint = plot.width() / std::max(labelPointsShown_, 1);
  const qreal right = w_.chart->size().width();
  for (int i = 0; i < labelsShown_; ++i) {
    QGraphicsSimpleTextItem* label = labels_[std::size_t(i)];
    const qreal width = label->boundingRect().width();
    const qreal x = plot.left() + label->data(0).toReal() * perPoint - width / 2;
    label->setPos(std::clamp(x, qreal(0), std::max(right - width, qreal(0))), plot.bottom() + 4);
    label->show();
  }
}

}  // namespace lcr
