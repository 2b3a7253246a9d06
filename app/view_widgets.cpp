#include "app/view_widgets.h"

#include <QGraphicsLineItem>
#include <QGraphicsScene>
#include <QGraphicsSimpleTextItem>
#include <QChart>
#include <QChartView>
#include <QEvent>
#include <QFrame>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QStyle>
#include <QTableWidget>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <utility>

#include "views/chart_readout.h"
#include "app/grid_cell_delegate.h"
#include "app/show_text.h"
#include "app/stairs_item.h"
#include "session/cycle.h"
#include "views/chart_axis.h"
#include "views/chart_stairs.h"

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

ViewWidgets::ViewWidgets(QObject* parent, const ViewHandles& widgets, const Cycle& cycle)
    : QObject(parent), w_(widgets), cycle_(cycle) {
  w_.Chart1->setMouseTracking(true);
  w_.Chart1->viewport()->setMouseTracking(true);
  w_.Chart1->viewport()->installEventFilter(this);
  for (QWidget* w : std::initializer_list<QWidget*>{w_.Shape1, w_.suiEdit4})
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
  // The line is drawn by hand in the series' pen; Series1 stays empty and
  // only ties the axes together for the read-out.
  stairs_ = new StairsItem(w_.chart);
  stairs_->setPen(w_.Series1->pen());
  connect(w_.chart, &QChart::plotAreaChanged, this, [this] {
    placeStairs();
    showTimeLabels();
    placeTimeLabels();
  });
  for (QValueAxis* axis : {w_.LeftAxis, w_.BottomAxis})
    connect(axis, &QValueAxis::rangeChanged, this, &ViewWidgets::placeStairs);
  // Room under the plot for the time labels, and for half a label right of it.
  const int labelHeight = QFontMetrics(w_.LeftAxis->labelsFont()).height();
  w_.chart->setMargins(QMargins(8, 6, 30, labelHeight + 6));

  // The grid's columns are narrow: a condensed face fits a whole time or
  // value, and a text too long for its cell is cut, not shortened to "...".
  w_.StringGrid1->setStyleSheet(QStringLiteral(
      "QTableWidget { font-family: \"DejaVu Sans Condensed\", \"Nimbus Sans Narrow\", sans-serif; }"));
  w_.StringGrid1->setTextElideMode(Qt::ElideNone);
  w_.StringGrid1->setItemDelegate(new GridCellDelegate(w_.StringGrid1));
}

ViewWidgets::~ViewWidgets() = default;

void ViewWidgets::apply() {
  const Cycle& c = cycle_;
  if (c.chart.revision != chartShown_) {
    showChart();
    hideStaleReadout();
  } else {
    showTimeLabels();  // the page size may have changed
  }
  showGrid();
}

void ViewWidgets::showChart() {
  const ChartModel& m = cycle_.chart;
  chartShown_ = m.revision;

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

  ShowGbkText(w_.Max_Num, m.Max_Num);
  ShowGbkText(w_.Max_Tim, m.Max_Tim);
  ShowGbkText(w_.Min_Num, m.Min_Num);
  ShowGbkText(w_.Min_Tim, m.Min_Tim);

  showTimeLabels();
}

// Each axis setting is passed on only when it changes: some setters relay
// out the whole chart, measuring every label again, even for an equal value.
void ViewWidgets::showValueAxis(const AxisScale& scale) {
  QValueAxis* axis = w_.LeftAxis;
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
void ViewWidgets::showTimeLabels() {
  const ChartModel& m = cycle_.chart;
  const int points = cycle_.win.pointsPerPage;
  const QFontMetrics metrics(w_.LeftAxis->labelsFont());
  const int step = TimeLabelStep(w_.chart->plotArea().width(), points,
                                 metrics.horizontalAdvance(QStringLiteral("00:00:00")) + 14);
  if (step == labelStepShown_ && points == labelPointsShown_ && labelsRevision_ == m.revision) return;
  labelStepShown_ = step;
  labelPointsShown_ = points;
  labelsRevision_ = m.revision;
  if (w_.BottomAxis->tickInterval() != step) w_.BottomAxis->setTickInterval(step);

  int n = 0;
  for (std::size_t j = 0; j < m.points.size(); j += std::size_t(step), ++n) {
    if (std::size_t(n) == labels_.size()) {
      auto* label = new QGraphicsSimpleTextItem(w_.chart);
      label->setFont(w_.LeftAxis->labelsFont());
      label->setBrush(w_.LeftAxis->labelsColor());
      labels_.push_back(label);
    }
    labels_[std::size_t(n)]->setText(GbkToQString(m.points[j].label));
    labels_[std::size_t(n)]->setData(0, qreal(j));
  }
  for (std::size_t i = std::size_t(n); i < labels_.size(); ++i) labels_[i]->hide();
  labelsShown_ = n;
  placeTimeLabels();
}

void ViewWidgets::placeStairs() {
  stairs_->setFrame(w_.chart->plotArea(), w_.BottomAxis->min(), w_.BottomAxis->max(), w_.LeftAxis->min(),
                    w_.LeftAxis->max());
}

void ViewWidgets::placeTimeLabels() {
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

void ViewWidgets::showGrid() {
  const Cycle& c = cycle_;
  QTableWidget* grid = w_.StringGrid1;
  const int rows = int(c.grid.rows.size());
  if (grid->rowCount() != rows) {
    grid->setRowCount(rows);
    for (int r = 0; r < rows; ++r)
      for (int col = 0; col < grid->columnCount(); ++col)
        if (!grid->item(r, col)) grid->setItem(r, col, new QTableWidgetItem());
  }
  gridShown_.resize(std::size_t(rows), ~0ull);
  // The Index column widens (never narrows) once the largest index has more
  // digits than it has room for.
  const int digits = int(std::to_string(std::max(c.table.RecordCount, 1)).size());
  if (digits > indexDigitsShown_ && grid->columnCount() > 0) {
    indexDigitsShown_ = digits;
    // The cells keep the text a focus frame's width plus one pixel off both
    // sides; one pixel more for the grid line.
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const int needed = grid->fontMetrics().horizontalAdvance(QString(digits, u'0')) + 2 * margin + 1;
    if (grid->columnWidth(0) < needed) grid->setColumnWidth(0, needed);
  }
  for (int r = 0; r < rows; ++r) {
    const GridRow& row = c.grid.rows[std::size_t(r)];
    if (gridShown_[std::size_t(r)] == row.revision) continue;
    gridShown_[std::size_t(r)] = row.revision;
    for (int col = 0; col < kGridColumnCount && col < grid->columnCount(); ++col)
      grid->item(r, col)->setText(GbkToQString(row.cells[std::size_t(col)]));
  }
}

bool ViewWidgets::eventFilter(QObject* watched, QEvent* event) {
  if (watched == w_.Chart1->viewport() && event->type() == QEvent::MouseMove) {
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    showReadout(at.x(), at.y());
  }
  return QObject::eventFilter(watched, event);
}

void ViewWidgets::showReadout(int x, int y) {
  QChartView* view = w_.Chart1;
  const QPointF scene = view->mapToScene(QPoint(x + 2, y));
  ReadoutInput in;
  in.x = x;
  in.y = y;
  in.width = view->width();
  in.height = view->height();
  in.axisValueAtX2 = w_.chart->mapToValue(w_.chart->mapFromScene(scene), w_.Series1).x();
  const Readout r = Chart1MouseMove(in, cycle_.chart, cycle_.table);

  QLineEdit* box = w_.suiEdit4;
  if (r.placed) {
    box->move(r.boxLeft.value_or(box->x()), r.boxTop);
    w_.Shape1->move(r.lineLeft, w_.Shape1->y());
  }
  if (r.text) {
    box->setText(GbkToQString(*r.text));
    readoutRow_ = r.row;
    readoutText_ = *r.text;
  }
  if (r.visibility == Readout::Visibility::Hidden) {
    w_.Shape1->hide();
    box->hide();
  } else if (r.visibility == Readout::Visibility::Shown) {
    w_.Shape1->show();
    w_.Shape1->raise();
    box->show();
    box->raise();
  }
}

// The box stays put until the mouse moves again; once the chart no longer
// holds the point it tells of, it goes.
void ViewWidgets::hideStaleReadout() {
  if (w_.suiEdit4->isHidden() || ReadoutStillHolds(readoutRow_, readoutText_, cycle_.chart, cycle_.table)) return;
  w_.Shape1->hide();
  w_.suiEdit4->hide();
}

}  // namespace lcr
