// The Statistics window: opened by its shortcut, following the records as
// they come, limits applied and refused, the figures copied as text.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "app/statistics_window.h"
#include "app/kept_window.h"
#include "app/view_widgets.h"
#include "table/base_value.h"
#include "table/record_text.h"
#include "tests/app/window_fixture.h"

using namespace lcr;

namespace {

struct StatisticsWindowTest : lcrtest::WindowFixture {};

TEST_F(StatisticsWindowTest, FollowsTheRecordsAndAppliesLimits) {
  StartAndLink();
  for (int i = 0; i < 4; ++i) Sample(i);
  form->findChild<QAction*>(QStringLiteral("Menu_Statistics"))->trigger();
  auto* window = form->findChild<StatisticsWindow*>(QStringLiteral("StatisticsWindow"));
  ASSERT_TRUE(window);
  const auto figures = [&] { return window->findChild<QPlainTextEdit*>(QStringLiteral("StatisticsFigures"))->toPlainText(); };
  const int before = form->cycle().table.RecordCount;
  EXPECT_TRUE(figures().contains(QStringLiteral("Count\t%1\n").arg(before))) << figures().toStdString();

  Sample(5);
  window->refresh();
  EXPECT_TRUE(figures().contains(QStringLiteral("Count\t%1\n").arg(before + 1))) << figures().toStdString();

  const QList<QLineEdit*> edits = window->findChildren<QLineEdit*>();
  ASSERT_EQ(edits.size(), 4);  // nominal, tolerance, low, high
  edits[2]->setText(QStringLiteral("5"));
  edits[3]->setText(QStringLiteral("4"));
  QTest::keyClick(edits[3], Qt::Key_Return);
  EXPECT_FALSE(figures().contains(QStringLiteral("Yield"))) << "low above high is refused";
  edits[2]->setText(QStringLiteral("-1e9"));
  edits[3]->setText(QStringLiteral("1e9"));
  QTest::keyClick(edits[3], Qt::Key_Return);
  EXPECT_TRUE(figures().contains(QStringLiteral("Yield\t100.00 %"))) << figures().toStdString();

  for (QPushButton* b : window->findChildren<QPushButton*>())
    if (b->text() == QStringLiteral("&Copy")) b->click();
  EXPECT_EQ(QApplication::clipboard()->text(), figures());
}

// Limits set in the window mark the grid's rows beyond them (one exactly on
// the limit is not), draw their line on the chart, and are those kept.
TEST_F(StatisticsWindowTest, LimitsMarkTheGridAndTheChart) {
  StartAndLink();
  for (int i = 1; i <= 5; ++i) Sample(i * 100);
  form->findChild<QAction*>(QStringLiteral("Menu_Statistics"))->trigger();
  auto* window = form->findChild<StatisticsWindow*>(QStringLiteral("StatisticsWindow"));
  ASSERT_TRUE(window);
  const Cycle& c = form->cycle();
  const auto base = [&](std::int32_t row) {
    const MeasurementRecord& rec = RowAt(c.table, row);
    return BaseValue(rec.MainValue.View(), rec.MainCaption.View()).value();
  };
  const std::int32_t last = c.table.RecordCount;
  const double edge = base(last - 2);
  ASSERT_LT(edge, base(last - 1));
  const QList<QLineEdit*> edits = window->findChildren<QLineEdit*>();
  edits[3]->setText(QString::number(edge, 'g', 17));
  QTest::keyClick(edits[3], Qt::Key_Return);
  ASSERT_TRUE(c.limits.limits.high);

  auto* grid = form->findChild<QTableWidget*>(QStringLiteral("StringGrid1"));
  const QImage shown = grid->viewport()->grab().toImage();
  int marked = 0;
  for (std::size_t g = 0; g < c.grid.rows.size(); ++g) {
    const std::int32_t record = c.grid.rows[g].record;
    if (record == 0) continue;
    QTableWidgetItem* cell = grid->item(int(g), 2);
    const QRect r = grid->visualItemRect(cell);
    const bool beyond = base(record) > edge;
    marked += beyond;
    EXPECT_EQ(cell->data(Qt::BackgroundRole).isValid(), beyond) << record;
    // Painted: the cell's right end (past its short text) is tinted or not.
    const QColor pixel = shown.pixelColor(r.right() - 2, r.center().y());
    EXPECT_EQ(pixel != grid->palette().color(QPalette::Base), beyond) << record << " " << pixel.name().toStdString();
  }
  EXPECT_EQ(marked, 2);
  EXPECT_EQ(form->views().limitLinesShown().size(), 1u);
  EXPECT_EQ(CurrentKeptSettings(*form).limits, c.limits);
}

}  // namespace
