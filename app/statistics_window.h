#pragma once
// The Statistics window: the batch statistics of the function the chart
// shows, optional limits, a histogram, and the figures copied as text. The
// figures are decided by views/batch_stats; this window only shows them.

#include <QDialog>
#include <functional>
#include <vector>

#include "views/batch_stats.h"

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

  Limits limitsShown() const;

  Cycle& cycle_;
  std::function<void()> limitsChanged_;
  BatchStatsTracker tracker_;
  QLineEdit *nominal_, *tolerance_, *low_, *high_;
  QLabel* limitError_;
  QLabel* limitNote_;  // which function the limits are for, when another is shown
  QPlainTextEdit* figures_;
  HistogramView* histogram_;
  QTimer* timer_;
  long long histogramCount_ = -1;  // the numeric count the histogram was drawn for
  std::string histogramFunction_;
};

// Adds "Statistics" (Ctrl+T) to `menu`; the window is made on first use.
QAction* AddStatisticsMenu(TForm1& form, QMenu* menu);

}  // namespace lcr
