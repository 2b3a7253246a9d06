#pragma once
// The Statistics window: the batch statistics of the function the chart
// shows, optional limits, a histogram, and the figures copied as text. The
// figures are decided by views/batch_stats; this window only shows them.

#include <QDialog>
#include <functional>
#include <vector>

#include "views/statistics_view.h"

class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTimer;

namespace lcr {

struct Cycle;
class TForm1;

class HistogramView : public QWidget {
 public:
  using QWidget::QWidget;
  void setCounts(std::vector<long long> counts, QString low, QString high);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  std::vector<long long> counts_;
  QString low_, high_;
};

class StatisticsWindow : public QDialog {
 public:
  // Limits are set on `cycle` (for the function shown); `limitsChanged`
  // runs after, so the grid and chart show them.
  StatisticsWindow(Cycle& cycle, QWidget* parent, std::function<void()> limitsChanged = {});

  // Reads what is new in the table (called on a timer while shown).
  void refresh();
  QString figuresText() const;

 private:
  void applyLimits();

  Cycle& cycle_;
  std::function<void()> limitsChanged_;
  StatisticsView view_;
  QLineEdit *nominal_, *tolerance_, *low_, *high_;
  QLabel* limitError_;
  QLabel* limitNote_;  // which function the limits are for, when another is shown
  QPlainTextEdit* figures_;
  HistogramView* histogram_;
  QTimer* timer_;
  std::uint64_t histogramShown_ = 0;  // the view's histogram revision drawn
};

// Adds "Statistics" (Ctrl+T) to `menu`; the window is made on first use.
QAction* AddStatisticsMenu(TForm1& form, QMenu* menu);

}  // namespace lcr
