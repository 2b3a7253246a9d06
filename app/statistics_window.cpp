#include "app/statistics_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "app/main_window.h"
#include "app/show_text.h"
#include "app/view_widgets.h"
#include "table/record_text.h"

namespace lcr {

namespace {

std::string FunctionShown(const Cycle& c) { return lcr::FunctionShown(c.chart, c.table); }

}  // namespace

void HistogramView::setCounts(std::vector<long long> counts, QString low, QString high) {
  counts_ = std::move(counts);
  low_ = std::move(low);
  high_ = std::move(high);
  update();
}

void HistogramView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  const int textHeight = fontMetrics().height();
  const QRect plot = rect().adjusted(6, 6, -6, -textHeight - 6);
  const long long most = counts_.empty() ? 0 : *std::max_element(counts_.begin(), counts_.end());
  if (most > 0) {
    const double width = double(plot.width()) / double(counts_.size());
    for (std::size_t i = 0; i < counts_.size(); ++i) {
      const int h = int(double(plot.height()) * double(counts_[i]) / double(most));
      const QRectF bar(plot.left() + width * double(i) + 1, plot.bottom() - h, width - 2, h);
      p.fillRect(bar, palette().highlight());
    }
  }
  p.setPen(palette().text().color());
  p.drawLine(plot.bottomLeft(), plot.bottomRight());
  p.drawText(QRect(plot.left(), plot.bottom() + 3, plot.width(), textHeight), Qt::AlignLeft, low_);
  p.drawText(QRect(plot.left(), plot.bottom() + 3, plot.width(), textHeight), Qt::AlignRight, high_);
}

StatisticsWindow::StatisticsWindow(Cycle& cycle, QWidget* parent, std::function<void()> limitsChanged)
    : QDialog(parent), cycle_(cycle), limitsChanged_(std::move(limitsChanged)) {
  setObjectName(QStringLiteral("StatisticsWindow"));
  setWindowTitle(QStringLiteral("Statistics"));

  auto* limitsBox = new QFormLayout;
  nominal_ = new QLineEdit(this);
  tolerance_ = new QLineEdit(this);
  low_ = new QLineEdit(this);
  high_ = new QLineEdit(this);
  nominal_->setPlaceholderText(QStringLiteral("e.g. 4.7k"));
  tolerance_->setPlaceholderText(QStringLiteral("e.g. 5% or 0.1"));
  auto* tolRow = new QHBoxLayout;
  tolRow->addWidget(nominal_);
  tolRow->addWidget(new QLabel(QStringLiteral("\u00B1"), this));
  tolRow->addWidget(tolerance_);
  auto* bandRow = new QHBoxLayout;
  bandRow->addWidget(low_);
  bandRow->addWidget(new QLabel(QStringLiteral("to"), this));
  bandRow->addWidget(high_);
  auto* nominalLabel = new QLabel(QStringLiteral("&Nominal:"), this);
  nominalLabel->setBuddy(nominal_);
  auto* bandLabel = new QLabel(QStringLiteral("or &Low, high:"), this);
  bandLabel->setBuddy(low_);
  limitsBox->addRow(nominalLabel, tolRow);
  limitsBox->addRow(bandLabel, bandRow);
  limitError_ = new QLabel(this);
  limitError_->setStyleSheet(QStringLiteral("color: #c00000"));
  limitNote_ = new QLabel(this);
  limitNote_->setObjectName(QStringLiteral("LimitsNote"));
  limitNote_->setWordWrap(true);
  // The limits kept, or set before the window was last closed.
  const LimitTexts& kept = cycle_.limits.texts;
  nominal_->setText(QString::fromStdString(kept.nominal));
  tolerance_->setText(QString::fromStdString(kept.tolerance));
  low_->setText(QString::fromStdString(kept.low));
  high_->setText(QString::fromStdString(kept.high));

  figures_ = new QPlainTextEdit(this);
  figures_->setReadOnly(true);
  figures_->setObjectName(QStringLiteral("StatisticsFigures"));
  histogram_ = new HistogramView(this);
  histogram_->setMinimumSize(320, 140);

  auto* apply = new QPushButton(QStringLiteral("&Apply limits"), this);
  auto* copy = new QPushButton(QStringLiteral("&Copy"), this);
  auto* close = new QPushButton(QStringLiteral("Close"), this);
  connect(apply, &QPushButton::clicked, this, &StatisticsWindow::applyLimits);
  for (QLineEdit* edit : {nominal_, tolerance_, low_, high_})
    connect(edit, &QLineEdit::returnPressed, this, &StatisticsWindow::applyLimits);
  connect(copy, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(figuresText()); });
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(apply);
  buttons->addStretch();
  buttons->addWidget(copy);
  buttons->addWidget(close);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(limitsBox);
  layout->addWidget(limitError_);
  layout->addWidget(limitNote_);
  layout->addWidget(figures_, 1);
  layout->addWidget(histogram_, 1);
  layout->addLayout(buttons);
  resize(420, 520);

  timer_ = new QTimer(this);
  timer_->setInterval(500);
  connect(timer_, &QTimer::timeout, this, &StatisticsWindow::refresh);
  timer_->start();
}

// Limits are set for the function shown now; all fields empty clear them.
void StatisticsWindow::applyLimits() {
  std::string error;
  const LimitTexts texts{nominal_->text().toStdString(), tolerance_->text().toStdString(),
                         low_->text().toStdString(), high_->text().toStdString()};
  const auto limits = MakeFunctionLimits(FunctionShown(cycle_), texts, &error);
  limitError_->setText(limits ? QString() : QString::fromStdString(error));
  if (limits && !(*limits == cycle_.limits)) {
    cycle_.limits = *limits;
    if (limitsChanged_) limitsChanged_();
  }
  refresh();
}

QString StatisticsWindow::figuresText() const { return GbkToQString(view_.shown().figures); }

void StatisticsWindow::refresh() {
  if (!isVisible()) return;
  const StatisticsShown& shown = view_.Update(cycle_.table, FunctionShown(cycle_), cycle_.limits);
  const QString note = GbkToQString(shown.note);
  if (limitNote_->text() != note) limitNote_->setText(note);
  const QString text = figuresText();
  if (figures_->toPlainText() != text) figures_->setPlainText(text);
  if (shown.histogramRevision != histogramShown_) {
    histogramShown_ = shown.histogramRevision;
    histogram_->setCounts(shown.histogram, GbkToQString(shown.histogramLow), GbkToQString(shown.histogramHigh));
  }
}

QAction* AddStatisticsMenu(TForm1& form, QMenu* menu) {
  QAction* action = menu->addAction(QStringLiteral("Statistics"));
  action->setObjectName(QStringLiteral("Menu_Statistics"));
  action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  action->setToolTip(QStringLiteral("Count, mean, spread and yield of the function the chart shows (Ctrl+T)"));
  QObject::connect(action, &QAction::triggered, &form, [&form] {
    auto* window = form.findChild<StatisticsWindow*>(QStringLiteral("StatisticsWindow"));
    if (!window) window = new StatisticsWindow(form.cycle(), &form, [&form] { form.views().apply(); });
    window->show();
    window->raise();
    window->activateWindow();
    window->refresh();
  });
  return action;
}

}  // namespace lcr
