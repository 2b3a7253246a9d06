// The settings dialog: its controls, loading, Apply, Cancel, the rate that
// comes back unchanged through its display interval, the port choice, and
// the settings the window keeps between runs.
#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>

#include "app/kept_window.h"
#include "app/settings_dialog.h"
#include "link/port_list.h"
#include "window_fixture.h"

using namespace lcr;

namespace {

struct SettingsDialogTest : lcrtest::WindowFixture {
  std::unique_ptr<TForm2> dialog;

  void SetUp() override {
    WindowFixture::SetUp();
    dialog = std::make_unique<TForm2>(runner(), form.get());
    form->setSettingsDialog(dialog.get());
  }
  void TearDown() override {
    dialog.reset();
    WindowFixture::TearDown();
  }

  // Shows the dialog modally through Set, System Set and runs `inside` while it is up.
  void WithDialogOpen(const std::function<void()>& inside) {
    bool ran = false;
    QTimer::singleShot(0, [&] {
      EXPECT_EQ(QApplication::activeModalWidget(), dialog.get());
      // Wherever it is designed to go, it opens on the main window's screen.
      EXPECT_TRUE(form->screen()->availableGeometry().contains(dialog->frameGeometry()))
          << dialog->x() << "," << dialog->y() << " on " << form->screen()->availableGeometry().width();
      inside();
      ran = true;
      if (dialog->isVisible()) dialog->reject();
    });
    form->Menu_System->trigger();
    EXPECT_TRUE(ran);
    EXPECT_FALSE(dialog->isVisible());
  }

  void ApplyRate(int rate, int points = 200) {
    dialog->TrackBar1->setValue(rate);
    dialog->TrackBar2->setValue(points);
    dialog->suiButton2->click();
  }
};

TEST_F(SettingsDialogTest, HasItsCaptionSizePlaceAndControls) {
  EXPECT_EQ(dialog->windowTitle(), "System Seting");
  const QSize size(511, 364);  // the designed 256, and rows for the port, the broker and the bench
  EXPECT_EQ(dialog->size(), size);
  EXPECT_EQ(dialog->minimumSize(), size);
  EXPECT_EQ(dialog->maximumSize(), size);
  EXPECT_EQ(dialog->pos(), QPoint(659, 318));
  const Qt::WindowFlags flags = dialog->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowContextHelpButtonHint);
  EXPECT_TRUE(dialog->isHidden());

  for (QWidget* w : std::initializer_list<QWidget*>{dialog->Label1, dialog->Label3, dialog->Label4,
                                                    dialog->NumberEdit1, dialog->TrackBar1, dialog->TrackBar2,
                                                    dialog->suiButton1, dialog->suiButton2, dialog->Label5,
                                                    dialog->ComboBox1, dialog->PublishToEdit, dialog->BenchEdit})
    EXPECT_EQ(w->parentWidget(), dialog->GroupBox1);
  EXPECT_EQ(dialog->Label1->text(), "Sampling Rate:");
  EXPECT_EQ(dialog->Label4->text(), "Max Points Per Page");
  EXPECT_EQ(dialog->suiButton1->text(), "Cancel");
  EXPECT_EQ(dialog->suiButton2->text(), "Apply");
  EXPECT_EQ(dialog->Label5->text(), "Port");
  EXPECT_EQ(dialog->ComboBox1->currentText(), "Automatic");
  EXPECT_EQ(dialog->Label6->text(), "Publish to");
  EXPECT_TRUE(dialog->PublishToEdit->text().isEmpty());  // off on a first start
  EXPECT_TRUE(dialog->NumberEdit1->isReadOnly());
  EXPECT_EQ(dialog->TrackBar1->minimum(), 1);
  EXPECT_EQ(dialog->TrackBar1->maximum(), 120);
  EXPECT_EQ(dialog->TrackBar1->pageStep(), 10);
  EXPECT_EQ(dialog->TrackBar2->minimum(), 50);
  EXPECT_EQ(dialog->TrackBar2->maximum(), 500);
  EXPECT_EQ(dialog->TrackBar2->pageStep(), 50);
}

TEST_F(SettingsDialogTest, LoadsTheStartSettings) {
  EXPECT_EQ(dialog->TrackBar1->value(), 120);
  EXPECT_EQ(dialog->Label3->text(), "120/Minute");
  EXPECT_EQ(dialog->TrackBar2->value(), 200);
  EXPECT_EQ(dialog->NumberEdit1->value(), 200);
  EXPECT_EQ(dialog->NumberEdit1->text(), "200");
}

TEST_F(SettingsDialogTest, SlidersDriveTheirReadOuts) {
  dialog->TrackBar1->setValue(7);
  EXPECT_EQ(dialog->Label3->text(), "7/Minute ");
  dialog->TrackBar1->setValue(120);
  EXPECT_EQ(dialog->Label3->text(), "120/Minute ");
  dialog->TrackBar2->setValue(350);
  EXPECT_EQ(dialog->NumberEdit1->value(), 350);
}

TEST_F(SettingsDialogTest, ApplySetsIntervalPointsAndScrollBarPage) {
  WithDialogOpen([&] { ApplyRate(7, 50); });
  EXPECT_EQ(model().showTime.intervalMs, 8571);
  EXPECT_EQ(model().pointsPerPage, 50);
  EXPECT_EQ(model().scrollBar1.pageSize, 50);
  EXPECT_EQ(form->ScrollBar1->pageStep(), 50);
  EXPECT_FALSE(runner().showTimeQTimer().isActive());  // armed by the next detection

  // The status bar shows the new rate on the next clock tick. (The clock's
  // own 500 ms timer may already have ticked inside the dialog's loop on a
  // slow run, so the text before this tick is not checked.)
  runner().onSystime();
  EXPECT_EQ(form->StatusPanels[2]->text(), "Sampling Rate:7/Minute");

  // Showing it again reloads what was applied.
  WithDialogOpen([&] {
    EXPECT_EQ(dialog->TrackBar1->value(), 7);
    EXPECT_EQ(dialog->Label3->text(), "7/Minute ");
    EXPECT_EQ(dialog->TrackBar2->value(), 50);
    EXPECT_EQ(dialog->NumberEdit1->value(), 50);
  });

  // The next detection arms the display tick at the new interval.
  StartAndLink();
  EXPECT_TRUE(runner().showTimeQTimer().isActive());
  EXPECT_EQ(runner().showTimeQTimer().interval(), 8571);
}

TEST_F(SettingsDialogTest, CancelAndTheCloseBoxChangeNothing) {
  WithDialogOpen([&] {
    dialog->TrackBar1->setValue(30);
    dialog->TrackBar2->setValue(450);
    dialog->suiButton1->click();
  });
  EXPECT_EQ(model().showTime.intervalMs, 500);
  EXPECT_EQ(model().pointsPerPage, 200);
  EXPECT_EQ(form->ScrollBar1->pageStep(), 200);

  WithDialogOpen([&] {
    EXPECT_EQ(dialog->TrackBar1->value(), 120);  // unapplied moves are forgotten
    EXPECT_EQ(dialog->TrackBar2->value(), 200);
    dialog->TrackBar1->setValue(3);
    dialog->close();
  });
  EXPECT_EQ(model().showTime.intervalMs, 500);
}

TEST_F(SettingsDialogTest, EveryRateComesBackThroughItsInterval) {
  const std::pair<int, int> table[] = {{1, 60000}, {7, 8571}, {9, 6667},   {11, 5455},  {60, 1000},
                                       {80, 750},  {90, 667}, {110, 545}, {119, 504}, {120, 500}};
  for (const auto& [rate, interval] : table) {
    ApplyRate(rate);
    EXPECT_EQ(model().showTime.intervalMs, interval) << rate;
  }
  for (int rate = 1; rate <= 120; ++rate) {
    ApplyRate(rate);
    dialog->FormShow();
    EXPECT_EQ(dialog->TrackBar1->value(), rate);
    runner().onSystime();
    EXPECT_EQ(form->StatusPanels[2]->text(), QStringLiteral("Sampling Rate:%1/Minute").arg(rate));
  }
}

TEST_F(SettingsDialogTest, PortOffersAutomaticAndTheListedPortsAndKeepsAnUnpluggedChoice) {
  qputenv(kPortsEnvVar, "/tmp/lcr-meter-a:/tmp/lcr-meter-b");
  WithDialogOpen([&] {
    EXPECT_EQ(dialog->ComboBox1->currentText(), "Automatic");
    EXPECT_EQ(dialog->ComboBox1->itemText(2), "/tmp/lcr-meter-b (named in LCR_TAVRIK_PORTS)");
    dialog->ComboBox1->setCurrentIndex(2);
    dialog->suiButton2->click();
  });
  EXPECT_EQ(form->cycle().portChoice, "/tmp/lcr-meter-b");

  // Unplugged, it is no longer listed, and stays chosen.
  qputenv(kPortsEnvVar, "/tmp/lcr-meter-a");
  WithDialogOpen([&] {
    EXPECT_EQ(dialog->ComboBox1->currentText(), "/tmp/lcr-meter-b (not connected)");
    dialog->ComboBox1->setCurrentIndex(0);
    dialog->suiButton1->click();  // Cancel forgets the move to Automatic
  });
  qunsetenv(kPortsEnvVar);
  EXPECT_EQ(form->cycle().portChoice, "/tmp/lcr-meter-b");

  // Start waits for it instead of giving up.
  io->SetOpenablePorts({});
  form->Button_Start->click();
  EXPECT_EQ(model().status[4], "Waiting for /tmp/lcr-meter-b");
  EXPECT_TRUE(form->Button_Stop->isEnabled());
  EXPECT_TRUE(runner().checkComQTimer().isActive());
}

TEST_F(SettingsDialogTest, KeptSettingsComeBackThroughTheWindowAndTheDialog) {
  KeptSettings kept;
  kept.ratePerMinute = 9;
  kept.pointsPerPage = 350;
  kept.port = "/dev/serial/by-id/usb-Meter-if00";
  kept.window = LayoutRect{20, 30, 1100, 760};
  kept.columnWidths = {40, 60, 50, 150, 50, 90};
  ApplyKeptSettings(*form, kept);
  EXPECT_EQ(model().showTime.intervalMs, 6667);
  EXPECT_EQ(form->ScrollBar1->pageStep(), 350);
  EXPECT_EQ(CurrentKeptSettings(*form), kept);
  WithDialogOpen([&] {
    EXPECT_EQ(dialog->TrackBar1->value(), 9);
    EXPECT_EQ(dialog->TrackBar2->value(), 350);
    EXPECT_EQ(dialog->ComboBox1->currentText(), "/dev/serial/by-id/usb-Meter-if00 (not connected)");
  });
}

TEST_F(SettingsDialogTest, SystemSetIsUnavailableWhileAcquisitionRuns) {
  form->Button_Start->click();
  EXPECT_FALSE(form->Menu_System->isEnabled());
  form->Button_Stop->click();
  EXPECT_TRUE(form->Menu_System->isEnabled());
}

}  // namespace
