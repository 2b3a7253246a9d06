// File, Export Graph and Export Excel File on the window.

#include <QApplication>
#include <QChartView>
#include <QFile>
#include <QFrame>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include "app/graph_export.h"
#include "app/view_widgets.h"
#include "views/limit_marks.h"
#include "app/standalone_chart.h"
#include "files/workbook/xlsx_automation.h"
#include "session/cycle.h"
#include "tests/app/window_fixture.h"

namespace {

using lcrtest::WindowFixture;

// Accepts the next modal message box and keeps what it said.
struct BoxCatcher {
  QString title, text, details;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QTimer poll;
  // Polls until a box is up: the export may run the event queue before it
  // shows one.
  void Arm() {
    QObject::disconnect(&poll, nullptr, nullptr, nullptr);
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        poll.stop();
        title = box->windowTitle();
        text = box->text();
        details = box->informativeText();
        icon = box->icon();
        box->accept();
      }
    });
    poll.start();
  }
};

struct ExportTest : WindowFixture {
  QTemporaryDir dir;

  // Opens a data file of `count` records, so the chart and grid show them.
  void LoadRecords(int count) {
    QByteArray text = QByteArray::number(count).leftJustified(7, ' ') + "\r\n";
    for (int i = 1; i <= count; ++i)
      text += QByteArray::number(i) + "\t10:00:" + QByteArray::number(i % 60).rightJustified(2, '0') + "\t" +
              QByteArray::number(1 + (i % 7) * 0.25) + "\t CAP 20.000 nF\t\t\t\r\n";
    QFile file(dir.filePath("data.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
    file.close();
    form->OpenDataFile(file.fileName());
    ASSERT_EQ(form->cycle().table.RecordCount, count);
  }
};

int RedPixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 180 && c.green() < 80 && c.blue() < 80) ++n;
    }
  return n;
}

TEST_F(ExportTest, GraphIsA1024By768JpegAndTheChartKeepsItsSize) {
  form->show();
  form->resize(1300, 900);
  QApplication::processEvents();
  LoadRecords(40);
  form->viewHandles().Shape1->show();
  form->viewHandles().suiEdit4->show();
  const QSize chartBefore = form->viewHandles().Chart1->size();

  const QString path = dir.filePath("chart.jpg");
  BoxCatcher box;
  box.Arm();
  form->ExportGraphFile(path);
  EXPECT_EQ(box.title, "Export Graph");
  EXPECT_EQ(box.text, "Export Graph " + path + " Successfully.");
  EXPECT_EQ(box.icon, QMessageBox::Information);

  QImage picture;
  ASSERT_TRUE(picture.load(path, "JPG"));
  EXPECT_EQ(picture.size(), QSize(1024, 768));
  EXPECT_GT(RedPixels(picture), 100) << "the red line of the chart is in the picture";
  // The border around the drawing is the chart's background.
  const QColor corner = picture.pixelColor(1, 1);
  EXPECT_NEAR(corner.red(), 0x06, 8);
  EXPECT_NEAR(corner.green(), 0x13, 8);
  EXPECT_NEAR(corner.blue(), 0x2b, 8);

  EXPECT_EQ(form->viewHandles().Chart1->size(), chartBefore);
  EXPECT_FALSE(form->viewHandles().Shape1->isHidden());
  EXPECT_FALSE(form->viewHandles().suiEdit4->isHidden());
  EXPECT_EQ(form->cycle().table.RecordCount, 40);
}

TEST_F(ExportTest, GraphOfAHiddenWindowIsTheSameSize) {
  LoadRecords(5);
  const QSize chartBefore = form->viewHandles().Chart1->size();
  const QString path = dir.filePath("hidden.jpg");
  BoxCatcher box;
  box.Arm();
  form->ExportGraphFile(path);
  QImage picture;
  ASSERT_TRUE(picture.load(path, "JPG"));
  EXPECT_EQ(picture.size(), QSize(1024, 768));
  EXPECT_EQ(form->viewHandles().Chart1->size(), chartBefore);
}

TEST_F(ExportTest, GraphThatCannotBeWrittenIsNotReportedAsExported) {
  LoadRecords(3);
  const QString path = dir.filePath("no/such/folder/chart.jpg");
  BoxCatcher box;
  box.Arm();
  form->ExportGraphFile(path);
  EXPECT_EQ(box.title, "Export Graph");
  EXPECT_EQ(box.icon, QMessageBox::Warning);
  EXPECT_FALSE(box.text.contains("Successfully"));
  EXPECT_TRUE(box.text.contains(path + " could not be written: No such file or directory")) << box.text.toStdString();
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(ExportTest, SpreadsheetWritesTheTableIntoAWorkbook) {
  LoadRecords(12);
  const QString path = dir.filePath("table.xls");
  BoxCatcher box;
  box.Arm();
  form->ExportSpreadsheetFile(path);
  EXPECT_EQ(box.title, "Save Excel File");
  EXPECT_EQ(box.text, "Save Excel file Successfully.");
  EXPECT_EQ(box.icon, QMessageBox::Information);
  EXPECT_TRUE(QFile::exists(path));

  // The header comes from the grid; the cells themselves are read back in
  // the workbook tests.
  const lcrtest::ProcessResult sheet = lcrtest::RunProgram("unzip", {"-p", path, "xl/worksheets/sheet1.xml"});
  if (sheet.exitCode == 0) {
    for (const char* text : {"<t>Index</t>", "<t>Main_Range</t>", "<t>CAP 20.000 nF</t>", "r=\"A13\""})
      EXPECT_TRUE(sheet.out.contains(text)) << text;
  }
  EXPECT_EQ(form->ProgressBar1->value(), form->ProgressBar1->maximum());
  EXPECT_TRUE(form->ProgressBar1->isHidden());
}

struct NoSpreadsheet : lcr::AutomationServer {
  std::unique_ptr<lcr::SpreadsheetApplication> CreateApplication() override { return nullptr; }
  std::shared_ptr<lcr::WorkbookObject> CreateSheet() override { return nullptr; }
};

TEST_F(ExportTest, SpreadsheetFailuresAreTold) {
  LoadRecords(2);
  NoSpreadsheet none;
  BoxCatcher box;
  box.Arm();
  form->ExportSpreadsheetFile(dir.filePath("a.xls"), &none);
  EXPECT_EQ(box.title, "Save Excel File");
  EXPECT_EQ(box.text, "You must install Microsoft Excel!");
  EXPECT_EQ(box.icon, QMessageBox::Warning);
  EXPECT_FALSE(QFile::exists(dir.filePath("a.xls")));

  box.Arm();
  form->ExportSpreadsheetFile(dir.filePath("no/such/folder/b.xls"));
  EXPECT_EQ(box.title, "Save Excel File");
  EXPECT_EQ(box.text, "open excel file fail!");
  EXPECT_EQ(box.details, dir.filePath("no/such/folder/b.xls") + " could not be written: No such file or directory");
  EXPECT_EQ(box.icon, QMessageBox::Warning);
}

// Export Graph draws a chart of its own from the chart model; it must be the
// window's chart pixel for pixel, over page sizes and tables shorter and
// longer than a page.
TEST_F(ExportTest, ChartDrawnAloneIsTheWindowsChart) {
  form->show();
  QApplication::processEvents();
  for (const int points : {50, 200, 500}) {
    for (const int count : {7, 180, 730}) {
      lcr::ApplySettings(form->cycle(), points, 120);
      LoadRecords(count);
      QApplication::processEvents();
      const lcr::ViewHandles& v = form->viewHandles();
      const QImage window = lcr::RenderChartPicture(*v.Chart1, {v.Shape1, v.suiEdit4});
      const QImage alone = lcr::StandaloneChart(form->cycle().chart, points, v.Chart1->size()).Picture();
      EXPECT_TRUE(window == alone) << points << " points per page, " << count << " records";
    }
  }
  // With limits, Export Graph draws the limit lines the window shows.
  lcr::Cycle& c = form->cycle();
  const QImage without = form->GraphPicture();
  c.limits = lcr::MakeFunctionLimits(lcr::FunctionShown(c.chart, c.table), {"", "", "1.3n", "2.2n"}, nullptr).value();
  form->views().apply();
  QApplication::processEvents();
  ASSERT_EQ(form->views().limitLinesShown().size(), 2u);
  const lcr::ViewHandles& v = form->viewHandles();
  const QImage window = lcr::RenderChartPicture(*v.Chart1, {v.Shape1, v.suiEdit4});
  EXPECT_TRUE(window == form->GraphPicture());
  EXPECT_FALSE(window == without);
}

TEST_F(ExportTest, EmptyTableOnlyWarns) {
  for (QAction* command : {form->Menu_Graph, form->Menu_Excel}) {
    BoxCatcher box;
    box.Arm();
    command->trigger();
    EXPECT_EQ(box.title, "No Any Date!");
    EXPECT_EQ(box.text, "No Any Date!");
    EXPECT_EQ(box.icon, QMessageBox::Warning);
    EXPECT_TRUE(form->isEnabled());
    EXPECT_TRUE(form->ProgressBar1->isHidden());
  }
}

}  // namespace
