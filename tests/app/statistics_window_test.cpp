// The Statistics window: opened by its shortcut, following the records as
// they come, limits applied and refused, the figures copied as text.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "app/statistics_window.h"
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

}  // namespace
