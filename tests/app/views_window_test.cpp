// The chart, grid and statistics widgets show what their models decided,
// and the read-out follows the mouse over the chart.
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QFile>
#include <QFrame>
#include <QGraphicsSimpleTextItem>
#include <QLineEdit>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QGraphicsPathItem>
#include <QPainterPath>
#include <QStyledItemDelegate>
#include <QValueAxis>
#include <random>

#include "session/view_updates.h"
#include "app/deep_blue_style.h"
#include "app/stairs_item.h"
#include "app/view_widgets.h"
#include "views/limit_marks.h"
#include "window_fixture.h"

using namespace lcr;
using lcrtest::WindowFixture;

namespace {

struct ViewsWindowTest : WindowFixture {
  // Rows of a table as an opened file would leave them, shown for the last row.
  void ShowTable(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::vector<MeasurementRecord> records(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
      records[i].MainValue.Assign(rows[i].first);
      records[i].MainCaption.Assign(rows[i].second);
      records[i].TimeText.Assign("10:00:" + std::to_string(10 + i));
    }
    Cycle& c = form->cycle();
    ReplaceRecords(c.table, records);
    FillGrid(c, c.table.RecordCount);
    UpdateChart(c, c.table.RecordCount);
    form->ApplyModel();
  }

  const std::vector<QList<QPointF>>& Runs() { return form->views().stairs().runs(); }

  QString Cell(int gridRow, int column) { return form->viewHandles().StringGrid1->item(gridRow - 1, column)->text(); }

  void MoveMouse(int x, int y) {
    QWidget* viewport = form->viewHandles().Chart1->viewport();
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), viewport->mapToGlobal(QPointF(x, y)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
  }
  // The viewport's x of a point's position on the chart.
  int XOf(double pointIndex) {
    const QPointF at = form->viewHandles().chart->mapToPosition(QPointF(pointIndex, 0), form->viewHandles().Series1);
    return int(std::lround(form->viewHandles().Chart1->mapFromScene(form->viewHandles().chart->mapToScene(at)).x()));
  }
};

TEST_F(ViewsWindowTest, SamplesFillTheGridTheStatisticsAndTheLine) {
  StartAndLink();
  for (int v : {1, 2, 5, 3, 4}) Sample(v);
  ASSERT_EQ(form->cycle().table.RecordCount, 3);
  EXPECT_EQ(Cell(1, 0), "1");
  EXPECT_EQ(Cell(1, 2), "5");
  EXPECT_EQ(Cell(3, 2), "4");
  EXPECT_EQ(Cell(3, 1), "05:06:10");
  EXPECT_EQ(Cell(1, 3), QString::fromUtf8("OHM 20000  Ω"));
  EXPECT_EQ(Cell(4, 0), "");
  EXPECT_EQ(form->viewHandles().Max_Num->text(), "5 ");
  EXPECT_EQ(form->viewHandles().Max_Tim->text(), "05:06:09");
  EXPECT_EQ(form->viewHandles().Min_Num->text(), "3 ");
  EXPECT_EQ(form->viewHandles().Min_Tim->text(), "05:06:09");
  // Three values drawn as steps: the first point, then two points a value.
  ASSERT_EQ(Runs().size(), 1u);
  ASSERT_EQ(Runs()[0].size(), 5);
  EXPECT_EQ(Runs()[0][1], QPointF(0, 3));
  EXPECT_EQ(Runs()[0][4], QPointF(2, 4));
  // The left axis holds every value; the bottom axis a whole page.
  EXPECT_LE(form->viewHandles().LeftAxis->min(), 3);
  EXPECT_GE(form->viewHandles().LeftAxis->max(), 5);
  EXPECT_EQ(form->viewHandles().LeftAxis->labelFormat(), "%.0f");
  EXPECT_EQ(form->viewHandles().BottomAxis->max(), 200);
  ASSERT_GE(form->views().timeLabelCount(), 1);
  EXPECT_EQ(form->views().timeLabels()[0]->text(), "05:06:09");

  // A new page size takes the bottom axis along.
  ApplySettings(form->cycle(), 50, 120);
  form->ApplyModel();
  EXPECT_EQ(form->viewHandles().BottomAxis->max(), 50);
}

TEST_F(ViewsWindowTest, GapsOpenTheLine) {
  ShowTable({{"1", "CAP20.000 nF"}, {"Err", "CAP20.000 nF"}, {"3", "CAP20.000 nF"}, {"4", "CAP20.000 nF"}});
  ASSERT_EQ(Runs().size(), 2u);
  EXPECT_EQ(Runs()[0].size(), 1);
  EXPECT_EQ(Runs()[1].size(), 3);
  EXPECT_EQ(form->viewHandles().LeftAxis->labelFormat(), "%.0f");

  // Without the gap the extra piece goes, not left behind.
  ShowTable({{"1", "CAP20.000 nF"}, {"2", "CAP20.000 nF"}});
  ASSERT_EQ(Runs().size(), 1u);
  EXPECT_EQ(Runs()[0].size(), 3);
}

TEST_F(ViewsWindowTest, RepeatedValuesExtendTheirLevel) {
  const std::string cap = "CAP20.000 nF";
  ShowTable({{"1", cap}, {"1", cap}, {"1", cap}, {"2", cap}, {"2", cap}, {"1", cap}, {"Err", cap}, {"3", cap}, {"3", cap}});
  const QList<QPointF> first{{0, 1}, {2, 1}, {2, 2}, {4, 2}, {4, 1}, {5, 1}};
  const QList<QPointF> second{{7, 3}, {8, 3}};
  const std::vector<QList<QPointF>> runs{first, second};
  EXPECT_EQ(Runs(), runs);
}

TEST_F(ViewsWindowTest, ResetEmptiesTheWidgetsAndSizesTheGridToItsHeight) {
  form->show();
  QApplication::processEvents();
  StartAndLink();
  for (int v = 1; v <= 30; ++v) Sample(v);
  form->Button_Stop->click();
  ResetDiscarding();
  const int rows = form->viewHandles().StringGrid1->height() / 16 - 2;
  EXPECT_EQ(form->viewHandles().StringGrid1->rowCount(), rows - 1);
  for (int r = 1; r < rows; ++r)
    for (int c = 0; c < 6; ++c) EXPECT_EQ(Cell(r, c), "") << r << "," << c;
  EXPECT_TRUE(Runs().empty());
  for (QLineEdit* e : {form->viewHandles().Max_Num, form->viewHandles().Max_Tim, form->viewHandles().Min_Num, form->viewHandles().Min_Tim}) EXPECT_EQ(e->text(), "");
  EXPECT_EQ(form->ScrollBar1->value(), 200);
  EXPECT_EQ(form->ScrollBar1->minimum(), 200);
  EXPECT_EQ(form->ScrollBar2->maximum(), 1);
}

TEST_F(ViewsWindowTest, DraggingTheGridsScrollBarShowsOlderRecords) {
  StartAndLink();
  for (int v = 1; v <= 42; ++v) Sample(v);
  form->Button_Stop->click();
  ASSERT_EQ(form->ScrollBar2->maximum(), 40);
  form->ScrollBar2->setValue(30);
  EXPECT_EQ(Cell(25, 0), "30");
  EXPECT_EQ(Cell(1, 0), "6");
}

TEST_F(ViewsWindowTest, ReadOutFollowsTheMouse) {
  form->show();
  QApplication::processEvents();
  ShowTable({{"1.5", "CAP AUTO 20.000 nF"}, {"2.5", "CAP AUTO 20.000 nF"}, {"3.5", "CAP AUTO 20.000 nF"}});
  QApplication::processEvents();
  const int y = form->viewHandles().Chart1->height() / 2;

  MoveMouse(XOf(1) - 2, y);  // the point is read at x + 2
  EXPECT_TRUE(form->viewHandles().suiEdit4->isVisible());
  EXPECT_TRUE(form->viewHandles().Shape1->isVisible());
  EXPECT_EQ(form->viewHandles().suiEdit4->text(), "10:00:11 | 2.5 nF");
  EXPECT_EQ(form->viewHandles().Shape1->x(), XOf(1));
  EXPECT_EQ(form->viewHandles().Shape1->width(), 1);
  EXPECT_EQ(form->viewHandles().suiEdit4->pos(), QPoint(XOf(1) + 8, y + 10));

  MoveMouse(XOf(50), y);  // right of the last point
  EXPECT_TRUE(form->viewHandles().suiEdit4->isVisible());
  EXPECT_EQ(form->viewHandles().suiEdit4->text(), " ");

  MoveMouse(form->viewHandles().Chart1->width() - 5, y);  // too near the right edge
  EXPECT_FALSE(form->viewHandles().suiEdit4->isVisible());
  EXPECT_FALSE(form->viewHandles().Shape1->isVisible());

  MoveMouse(XOf(-3), y);  // left of the first point
  EXPECT_FALSE(form->viewHandles().suiEdit4->isVisible());
}

// The box stays while its point does, and goes with it after Open or Reset.
TEST_F(ViewsWindowTest, ReadOutGoesWithItsPoint) {
  QTemporaryDir dir;
  const QString opened = dir.filePath("opened.txt");
  QFile file(opened);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("2      \r\n1\t11:00:01\t7\tCAP AUTO 20.000 nF\t\t\t\r\n2\t11:00:02\t8\tCAP AUTO 20.000 nF\t\t\t\r\n");
  file.close();
  form->show();
  QApplication::processEvents();
  ShowTable({{"1.5", "CAP AUTO 20.000 nF"}, {"2.5", "CAP AUTO 20.000 nF"}, {"3.5", "CAP AUTO 20.000 nF"}});
  QApplication::processEvents();
  const int y = form->viewHandles().Chart1->height() / 2;
  const QWidget* box = form->viewHandles().suiEdit4;
  const QWidget* line = form->viewHandles().Shape1;

  MoveMouse(XOf(1) - 2, y);
  ASSERT_TRUE(box->isVisible());
  UpdateChart(form->cycle(), 3);  // drawn again, the point still there
  form->ApplyModel();
  EXPECT_TRUE(box->isVisible());

  form->OpenDataFile(opened);
  ASSERT_EQ(form->cycle().table.RecordCount, 2);
  EXPECT_FALSE(box->isVisible());
  EXPECT_FALSE(line->isVisible());

  MoveMouse(XOf(1) - 2, y);
  ASSERT_EQ(form->viewHandles().suiEdit4->text(), "11:00:02 | 8 nF");
  ResetDiscarding();
  EXPECT_FALSE(box->isVisible());
  EXPECT_FALSE(line->isVisible());
}

}  // namespace

// The grid paints its plain cells itself, for speed; they must look exactly
// as the style draws them, in the deep-blue look, enabled or not, and a
// selected cell still goes through the style.
TEST_F(ViewsWindowTest, GridCellsLookAsTheStyleDrawsThem) {
  const QString sheet = qApp->styleSheet();
  lcr::ApplyDeepBlueStyle(*qApp);
  form->show();
  StartAndLink();
  for (int v : {1, 20, 300, -4000, 5}) Sample(v);
  // Rows above zero marked out of limits: their tinted cells too.
  lcr::Cycle& c = form->cycle();
  c.limits = lcr::MakeFunctionLimits(lcr::FunctionShown(c.chart, c.table), {"", "", "", "0"}, nullptr).value();
  form->views().apply();
  QTableWidget* grid = form->viewHandles().StringGrid1;
  ASSERT_TRUE(grid->item(2, 2)->data(Qt::BackgroundRole).isValid());
  grid->item(2, 3)->setText(QString::fromUtf8("µΩ a text far too long for its narrow cell"));
  grid->setCurrentCell(1, 2);
  QAbstractItemDelegate* plain = grid->itemDelegate();
  QStyledItemDelegate styled;
  for (bool enabled : {true, false}) {
    grid->setEnabled(enabled);
    QApplication::processEvents();
    const QImage ours = grid->grab().toImage();
    grid->setItemDelegate(&styled);
    const QImage theirs = grid->grab().toImage();
    grid->setItemDelegate(plain);
    EXPECT_EQ(ours, theirs) << (enabled ? "enabled" : "disabled");
    ours.save(QString("/tmp/grid_ours_%1.png").arg(enabled)); theirs.save(QString("/tmp/grid_theirs_%1.png").arg(enabled));
  }
  qApp->setStyleSheet(sheet);
}

// The stepped line lights the pixels a square-capped pen stroking its
// segments lights, inside the plot, over many random pages.
TEST_F(ViewsWindowTest, SteppedLineCoversWhatAStrokedLineWould) {
  form->show();
  QChart* chart = form->viewHandles().chart;
  QGraphicsView* view = form->viewHandles().Chart1;
  StairsItem& stairs = const_cast<StairsItem&>(form->views().stairs());
  std::mt19937 random(7);
  for (int points : {20, 200, 500}) {
    ApplySettings(form->cycle(), points, 120);
    std::vector<std::pair<std::string, std::string>> rows;
    for (int i = 0; i <= points; ++i)
      rows.push_back({std::to_string(int(random() % 37) - 5) + (i % 3 ? "" : ".5"), "CAP20.000 nF"});
    ShowTable(rows);
    QApplication::processEvents();
    const QImage ours = view->grab().toImage();

    // The same pieces, stroked by a path item in the series' pen.
    QPainterPath path;
    for (const QList<QPointF>& run : Runs()) {
      path.moveTo(chart->mapToPosition(run[0], form->viewHandles().Series1));
      if (run.size() == 1) path.lineTo(path.currentPosition());
      for (qsizetype i = 1; i < run.size(); ++i) path.lineTo(chart->mapToPosition(run[i], form->viewHandles().Series1));
    }
    QPen pen = form->viewHandles().Series1->pen();
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    auto* stroked = new QGraphicsPathItem(path, chart);
    stroked->setPen(pen);
    stroked->setZValue(stairs.zValue());
    stairs.hide();
    const QImage theirs = view->grab().toImage();
    stairs.show();
    delete stroked;

    // Away from the plot's edges, where only the clip differs. Where two
    // rises stand closer than the pen is wide the stroker also fills the
    // pixel between them; a pixel lit by one and not the other must still
    // touch a lit pixel of the other.
    const QRect inside = view->mapFromScene(chart->mapToScene(chart->plotArea())).boundingRect().adjusted(3, 3, -3, -3);
    const QRgb line = pen.color().rgb();
    const auto lit = [&](const QImage& image, int x, int y) { return image.pixel(x, y) == line; };
    const auto near = [&](const QImage& image, int x, int y) {
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (lit(image, x + dx, y + dy)) return true;
      return false;
    };
    int differing = 0, stray = 0;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
      for (int x = inside.left(); x <= inside.right(); ++x) {
        if (lit(ours, x, y) == lit(theirs, x, y)) continue;
        ++differing;
        stray += !near(lit(ours, x, y) ? theirs : ours, x, y);
      }
    EXPECT_EQ(stray, 0) << points << " points";
    if (points == 20) {
      EXPECT_EQ(differing, 0);
    }
  }
}
