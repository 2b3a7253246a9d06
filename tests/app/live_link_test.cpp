// End to end: the simulated meter on a pseudo-terminal, the real serial
// backend, the window's Start, and samples recorded at the set rate.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include "app/main_window.h"
#include "link/qt_serial_io.h"

using namespace lcr;

namespace {

bool PumpUntil(const std::function<bool()>& done, int ms) {
  QElapsedTimer t;
  t.start();
  while (!done()) {
    if (t.elapsed() > ms) return false;
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

struct LiveLinkTest : ::testing::Test {
  QTemporaryDir dir;
  QProcess simulator;
  QByteArray oldPorts = qgetenv(kPortsEnvVar);

  void TearDown() override {
    if (simulator.state() != QProcess::NotRunning) {
      simulator.terminate();
      if (!simulator.waitForFinished(5000)) simulator.kill();
      simulator.waitForFinished(5000);
    }
    qputenv(kPortsEnvVar, oldPorts);
  }

  // Starts `lcrtool simulate` with a link in the temporary folder.
  QString StartSimulator(int frameIntervalMs) {
    const QString link = dir.filePath(QStringLiteral("meter"));
    simulator.start(QStringLiteral(LCRTOOL_PATH),
                    {"simulate", "--scenario", "steady", "--interval", QString::number(frameIntervalMs), "--link",
                     link});
    if (!simulator.waitForStarted(5000)) return {};
    if (!PumpUntil([&] { return QFileInfo::exists(link) || simulator.state() == QProcess::NotRunning; }, 5000))
      return {};
    return QFileInfo::exists(link) ? link : QString();
  }
};

TEST_F(LiveLinkTest, StartFindsTheMeterAndSamplesArriveAtTheSetRate) {
  ASSERT_TRUE(dir.isValid());
  const QString link = StartSimulator(100);
  if (link.isEmpty()) GTEST_SKIP() << "no pseudo-terminal: " << simulator.readAllStandardError().toStdString();
  qputenv(kPortsEnvVar, link.toLocal8Bit());

  TForm1 form(std::make_unique<QtSerialIo>());
  form.Button_Start->click();
  EXPECT_EQ(form.StatusPanels[0]->text(), QString::fromUtf8("Detecting\u2026\u2026"));

  // Detection runs 2 s after Start; the first sample needs three decoded frames.
  ASSERT_TRUE(PumpUntil([&] { return form.cycle().table.RecordCount >= 1; }, 15000))
      << "status: " << form.StatusPanels[0]->text().toStdString();
  EXPECT_EQ(form.StatusPanels[0]->text(), "Linking");
  EXPECT_EQ(form.cycle().acq.LinkPort, 1);
  EXPECT_EQ(form.cycle().acq.ActiveFamily, kFamily730);
  EXPECT_FALSE(form.Button_Start->isEnabled());
  EXPECT_TRUE(form.Button_Stop->isEnabled());

  // 120 samples a minute: about eight in four seconds, never more than one per tick.
  const int first = form.cycle().table.RecordCount;
  QElapsedTimer t;
  t.start();
  PumpUntil([] { return false; }, 4000);
  const int recorded = form.cycle().table.RecordCount - first;
  const int ticks = int(t.elapsed() / 500);
  EXPECT_GE(recorded, ticks / 2);
  EXPECT_LE(recorded, ticks + 1);
  EXPECT_EQ(form.StatusPanels[1]->text(), "COM1,9600,n,8,1");

  form.Button_Stop->click();
  const int kept = form.cycle().table.RecordCount;
  PumpUntil([] { return false; }, 1200);
  EXPECT_EQ(form.cycle().table.RecordCount, kept);  // nothing is recorded after Stop
}

}  // namespace
