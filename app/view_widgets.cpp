#include "app/view_widgets.h"

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

#include "views/chart_readout.h"
#include "views/limit_marks.h"
#include "table/record_text.h"
#include "app/grid_cell_delegate.h"
#include "app/show_text.h"
#include "session/cycle.h"

namespace lcr {

ViewWidgets::ViewWidgets(QObject* parent, const ViewHandles& widgets, const Cycle& cycle)
    : QObject(parent), w_(widgets), cycle_(cycle) {
  w_.Chart1->setMouseTracking(true);
  w_.Chart1->viewport()->setMouseTracking(true);
  w_.Chart1->viewport()->installEventFilter(this);
  for (QWidget* w : std::initializer_list<QWidget*>{w_.Shape1, w_.suiEdit4})
    w->setAttribute(Qt::WA_TransparentForMouseEvents);
  chart_ = new ChartDrawing(this, ChartHandles{w_.Chart1, w_.chart, w_.Series1, w_.LeftAxis, w_.BottomAxis});

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
  chart_->setLimitLines(ChartLimitValues(c.chart, c.table, c.limits));
  if (chart_->show(c.chart, c.win.pointsPerPage)) {
    ShowGbkText(w_.Max_Num, c.chart.Max_Num);
    ShowGbkText(w_.Max_Tim, c.chart.Max_Tim);
    ShowGbkText(w_.Min_Num, c.chart.Min_Num);
    ShowGbkText(w_.Min_Tim, c.chart.Min_Tim);
    hideStaleReadout();
  }
  showGrid();
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
  marksShown_.resize(std::size_t(rows), 0);
  for (int r = 0; r < rows; ++r) {
    const GridRow& row = c.grid.rows[std::size_t(r)];
    // Limits change without the row changing, so the mark is asked each time.
    const char marked = row.record > 0 && OutOfLimits(c.limits, RowAt(c.table, row.record));
    if (marked != marksShown_[std::size_t(r)] && kMarkedColumn < grid->columnCount()) {
      marksShown_[std::size_t(r)] = marked;
      QTableWidgetItem* item = grid->item(r, kMarkedColumn);
      item->setData(Qt::BackgroundRole, marked ? QVariant(QColor(0xff, 0xd4, 0xd4)) : QVariant());
      item->setData(Qt::ForegroundRole, marked ? QVariant(QColor(0xb0, 0x00, 0x00)) : QVariant());
    }
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
