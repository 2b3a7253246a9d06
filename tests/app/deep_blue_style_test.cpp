// The deep-blue look: one style sheet for both windows, with a disabled state
// and a focus that stand out.
#include <QApplication>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/deep_blue_style.h"
#include "app/settings_dialog.h"
#include "window_fixture.h"

using namespace lcr;

namespace {

// Mean brightness of a widget as drawn.
double Brightness(QWidget* w, QRect area = QRect(QPoint(0, 0), QSize(-1, -1))) {
  const QImage image = w->grab(area).toImage();
  double sum = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) sum += qGray(image.pixel(x, y));
  return sum / (image.width() * image.height());
}

TEST(DeepBlueStyleTest, SheetCoversEveryKindOfControl) {
  const QString sheet = DeepBlueStyleSheet();
  ASSERT_FALSE(sheet.isEmpty());
  for (const char* selector : {"QPushButton:disabled", "QPushButton:focus", "QLineEdit", "QComboBox", "QGroupBox",
                               "QSpinBox", "QSlider::handle", "QTableWidget", "QHeaderView::section",
                               "QScrollBar:horizontal", "QScrollBar:vertical", "QMenuBar", "QMenu::item:selected",
                               "QMenu::item:disabled", "QStatusBar"})
    EXPECT_TRUE(sheet.contains(QLatin1String(selector))) << selector;
}

struct DeepBlueWindowTest : lcrtest::WindowFixture {
  void SetUp() override {
    ApplyDeepBlueStyle(*qApp);
    WindowFixture::SetUp();
  }
  void TearDown() override {
    WindowFixture::TearDown();
    qApp->setStyleSheet(QString());
  }
};

TEST_F(DeepBlueWindowTest, DisabledButtonLooksUnlikeAnEnabledOne) {
  form->show();
  QApplication::processEvents();
  const double enabled = Brightness(form->Button_Start);
  const double disabled = Brightness(form->Button_Stop);
  EXPECT_GT(std::abs(enabled - disabled), 12.0) << enabled << " vs " << disabled;
  form->hide();
}

TEST_F(DeepBlueWindowTest, BothWindowsTakeTheSameSheet) {
  TForm2 dialog(runner(), form.get());
  // Dark backgrounds with light text, in both windows.
  form->show();
  dialog.show();
  QApplication::processEvents();
  EXPECT_LT(Brightness(form->Panel1, form->viewHandles().Max_Num->geometry().adjusted(-40, -8, 0, 100)), 90.0);
  EXPECT_LT(Brightness(dialog.GroupBox1), 90.0);
  EXPECT_GT(qGray(dialog.Label1->palette().color(QPalette::WindowText).rgb()), 170);
  EXPECT_GT(qGray(form->StatusPanels[0]->palette().color(QPalette::WindowText).rgb()), 170);
  dialog.hide();
  form->hide();
}

TEST_F(DeepBlueWindowTest, FocusedButtonGetsAVisibleRing) {
  form->show();
  QApplication::processEvents();
  form->activateWindow();
  const QImage before = form->Button_Reset->grab().toImage();
  form->Button_Reset->setFocus(Qt::TabFocusReason);
  QApplication::processEvents();
  if (!form->Button_Reset->hasFocus()) GTEST_SKIP() << "the platform gives no focus to an inactive window";
  const QImage after = form->Button_Reset->grab().toImage();
  EXPECT_NE(before, after);
  form->hide();
}

}  // namespace
