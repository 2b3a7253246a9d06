// The window from the keyboard (Tab order, Start and Stop by key), the
// question about unsaved records on closing, and a grid that follows the
// window's height.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>
#include <functional>

#include "tests/app/window_fixture.h"

using namespace lcr;
using lcrtest::ModalAnswers;

namespace {

struct KeyboardAndCloseTest : lcrtest::WindowFixture {
  QTemporaryDir dir;

  void ShowActive() {
    form->show();
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  }

  void RecordAndStop(int samples) {
    StartAndLink();
    for (int i = 0; i < samples; ++i) Sample(i);
    form->Button_Stop->click();
  }

  QString FocusName() const {
    QWidget* w = QApplication::focusWidget();
    return w ? w->objectName() : QStringLiteral("(none)");
  }
};

TEST_F(KeyboardAndCloseTest, TabWalksTheControlsAndStartAndStopWorkFromTheKeyboard) {
  runner().onSystime();  // the grid is enabled by the first clock tick
  ShowActive();
  EXPECT_EQ(FocusName(), "Button_Start");
  QStringList walk;
  for (int i = 0; i < 7; ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    walk << FocusName();
  }
  // Stop is disabled; the grid hands Tab on instead of walking its cells.
  EXPECT_EQ(walk, (QStringList{"Button_Reset", "Bution_Exit", "ScrollBar1", "StringGrid1", "ScrollBar2",
                               "Button_Start", "Button_Reset"}));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(FocusName(), "Button_Start");

  // Space on Start starts, and the focus lands on Stop; Shift+F5 stops and
  // hands it back; F5 starts again.
  QTest::keyClick(form->Button_Start, Qt::Key_Space);
  EXPECT_TRUE(model().stopEnabled);
  EXPECT_EQ(FocusName(), "Button_Stop");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5, Qt::ShiftModifier);
  EXPECT_TRUE(model().startEnabled);
  EXPECT_EQ(FocusName(), "Button_Start");
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
  EXPECT_TRUE(model().stopEnabled);
  // The access key of Stop (a button shows the press before it clicks).
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::AltModifier);
  EXPECT_TRUE(QTest::qWaitFor([&] { return model().startEnabled; }, 2000));
}

TEST_F(KeyboardAndCloseTest, PagingKeysOnTheGridMoveItsScrollBar) {
  RecordAndStop(102);  // 100 records, 25 data rows
  runner().onSystime();   // the grid is enabled by the first clock tick
  ShowActive();
  QTableWidget* grid = form->viewHandles().StringGrid1;
  grid->setFocus();
  grid->setCurrentCell(0, 0);
  QTest::keyClick(grid, Qt::Key_PageUp);
  EXPECT_EQ(model().scrollBar2.position, 75);
  EXPECT_EQ(grid->item(24, 0)->text(), "75");
  QTest::keyClick(grid, Qt::Key_Up);  // past the top row: one record back
  EXPECT_EQ(grid->item(0, 0)->text(), "50");
  for (int i = 0; i < 5; ++i) QTest::keyClick(grid, Qt::Key_PageUp);
  EXPECT_EQ(grid->item(0, 0)->text(), "1");  // the top is a full page from record 1
  EXPECT_EQ(grid->item(24, 0)->text(), "25");
  QTest::keyClick(grid, Qt::Key_Down);  // inside the grid: the cell moves, not the records
  EXPECT_EQ(grid->currentRow(), 1);
  EXPECT_EQ(grid->item(0, 0)->text(), "1");
}

// Ctrl+Home and Ctrl+End reach both ends of the table; the wheel over the
// cells turns the records as over the scroll bar.
TEST_F(KeyboardAndCloseTest, EndKeysAndTheWheelOverTheCellsMoveTheRecords) {
  RecordAndStop(102);  // 100 records, 25 data rows
  runner().onSystime();
  ShowActive();
  QTableWidget* grid = form->viewHandles().StringGrid1;
  grid->setFocus();
  QTest::keyClick(grid, Qt::Key_Home, Qt::ControlModifier);
  EXPECT_EQ(grid->item(0, 0)->text(), "1");
  EXPECT_EQ(grid->currentRow(), 0);
  const auto wheel = [&](int delta) {
    QWheelEvent e(QPointF(20, 40), grid->viewport()->mapToGlobal(QPointF(20, 40)), {}, QPoint(0, delta),
                  Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid->viewport(), &e);
  };
  wheel(-120);  // towards the user: later records
  const int top = grid->item(0, 0)->text().toInt();
  EXPECT_GT(top, 1);
  wheel(120);
  EXPECT_EQ(grid->item(0, 0)->text(), "1");
  QTest::keyClick(grid, Qt::Key_End, Qt::ControlModifier);
  EXPECT_EQ(model().scrollBar2.position, 100);
  EXPECT_EQ(grid->item(24, 0)->text(), "100");
  EXPECT_EQ(grid->currentRow(), 24);
}

// The Index column starts at its designed width and widens to the digits
// of the largest index.
TEST_F(KeyboardAndCloseTest, TheIndexColumnWidensToTheLargestIndex) {
  QTableWidget* grid = form->viewHandles().StringGrid1;
  RecordAndStop(3);
  EXPECT_EQ(grid->columnWidth(0), 33);
  std::vector<MeasurementRecord> records(100000);
  ReplaceRecords(form->cycle().table, records);
  form->ApplyModel();
  EXPECT_GE(grid->columnWidth(0), grid->fontMetrics().horizontalAdvance(QStringLiteral("100000")) + 4);
}

TEST_F(KeyboardAndCloseTest, ClosingWithUnsavedRecordsAsksAndSavesFirst) {
  RecordAndStop(6);
  ASSERT_EQ(form->cycle().table.RecordCount, 4);
  ModalAnswers modal;

  modal.answer = QMessageBox::Cancel;
  EXPECT_FALSE(modal.Run([&] { return form->close(); }));
  EXPECT_EQ(modal.seen, QStringList{"4 records are not saved. Save them before closing?"});

  // A save that fails keeps the window and the records' state.
  modal.seen.clear();
  modal.answer = QMessageBox::Save;
  modal.path = dir.filePath("no such folder/log.txt");
  EXPECT_FALSE(modal.Run([&] { return form->close(); }));
  ASSERT_EQ(modal.seen.size(), 3);
  EXPECT_EQ(modal.seen[1], "file dialog");
  EXPECT_NE(modal.seen[2], "Save TXT File Successfully!");

  modal.seen.clear();
  modal.path = dir.filePath("log.txt");
  EXPECT_TRUE(modal.Run([&] { return form->close(); }));
  EXPECT_EQ(modal.seen, (QStringList{"4 records are not saved. Save them before closing?", "file dialog",
                                     "Save TXT File Successfully!"}));
  EXPECT_TRUE(QFile::exists(modal.path));
}

TEST_F(KeyboardAndCloseTest, DiscardClosesAndNothingUnsavedClosesAtOnce) {
  ModalAnswers modal;
  EXPECT_TRUE(modal.Run([&] { return form->close(); }));  // nothing recorded yet
  EXPECT_TRUE(modal.seen.isEmpty());

  SetUp();  // a fresh window
  RecordAndStop(3);
  modal.answer = QMessageBox::Discard;
  EXPECT_TRUE(modal.Run([&] { return form->close(); }));
  EXPECT_EQ(modal.seen, QStringList{"1 record is not saved. Save it before closing?"});
}

TEST_F(KeyboardAndCloseTest, TheGridFollowsTheWindowAndThePanelKeepsItsSize) {
  RecordAndStop(62);
  ShowActive();
  const QTableWidget* grid = form->viewHandles().StringGrid1;
  const QRect panelBefore = form->Panel1->geometry();
  for (const QSize size : {QSize(1600, 1000), QSize(1000, 700), QSize(990, 690)}) {
    form->resize(size);
    QApplication::processEvents();
    const int rows = grid->height() / 16 - 2;
    EXPECT_EQ(model().gridRowCount, rows) << size.width();
    ASSERT_EQ(grid->rowCount(), rows - 1);
    // The rows end at the last record, every row a true one.
    for (int r = 0; r < rows - 1; ++r)
      ASSERT_EQ(grid->item(r, 0)->text().toInt(), 60 - (rows - 2) + r) << size.width() << " row " << r;
    EXPECT_EQ(form->Panel1->height(), panelBefore.height());
    EXPECT_EQ(form->Panel1->geometry().bottom(), form->centralWidget()->height() - 1);
  }
}

}  // namespace
