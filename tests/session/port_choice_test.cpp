// A chosen port, end to end on `lcrtool simulate`'s pseudo-terminals: it is
// opened alone, linked only after detection, and waited for while absent.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLocale>
#include <QTemporaryDir>
#include <QTimer>

#include "link/qt_serial_io.h"
#include "session/cycle.h"
#include "simulator/pty_streamer.h"
#include "test_support.h"

namespace {

#ifdef LCR_SIM_HAVE_PTY

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "port_choice_test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

void Pump(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

struct PortChoiceTest : ::testing::Test {
  QTemporaryDir dir;
  std::unique_ptr<lcr::Cycle> c = lcr::MakeCycle();

  void SetUp() override {
    App();
    ASSERT_TRUE(dir.isValid());
    lcr::FormCreate(*c, QLocale::c());
  }
  void TearDown() override { qunsetenv(lcr::kPortsEnvVar); }

  std::string Status() const { return c->win.status[4].toStdString(); }
  int OpenPorts() const { return int(std::count(c->acq.PortOpen.begin(), c->acq.PortOpen.end(), true)); }

  // Detection passes, as Check_COM runs them, until one links.
  bool DetectWithin(lcr::QtSerialIo& io, int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
      Pump(150);
      if (lcr::CheckComTimer(*c, io, QDateTime::currentDateTime())) return true;
    }
    return false;
  }
};

// Automatic detection would take the family 68 meter on port 1; the chosen
// family 730 meter is the only port opened and the one linked.
TEST_F(PortChoiceTest, AChosenPortIsOpenedAloneAndLinkedAfterDetection) {
  const QString other = dir.filePath("other"), chosen = dir.filePath("chosen");
  lcrtest::Simulator otherSim, chosenSim;
  ASSERT_TRUE(otherSim.Start({"--family", "68", "--interval", "50", "--link", other}));
  ASSERT_TRUE(chosenSim.Start({"--family", "730", "--interval", "50", "--link", chosen}));
  qputenv(lcr::kPortsEnvVar, (other + ":" + chosen).toLocal8Bit());
  lcr::QtSerialIo io;

  c->portChoice = chosen.toStdString();
  ASSERT_TRUE(lcr::ButtonStartClick(*c, io));
  EXPECT_EQ(OpenPorts(), 1);
  EXPECT_EQ(io.DevicePath(1), chosen);
  EXPECT_EQ(Status(), "Looking for a meter on " + chosen.toStdString());
  EXPECT_EQ(c->acq.LinkCount, 0);  // nothing linked before a detection pass

  ASSERT_TRUE(DetectWithin(io, 5000));
  EXPECT_EQ(c->acq.ActiveFamily, lcr::kFamily730);
  EXPECT_EQ(Status(), "Meter on " + chosen.toStdString());
  lcr::ButtonStopClick(*c, io);

  // Back to Automatic: both are opened again (with whatever the system
  // lists) and the first one is found.
  c->portChoice.clear();
  ASSERT_TRUE(lcr::ButtonStartClick(*c, io));
  EXPECT_TRUE(c->acq.PortOpen[1] && c->acq.PortOpen[2]);
  ASSERT_TRUE(DetectWithin(io, 5000));
  EXPECT_EQ(c->acq.ActiveFamily, lcr::kFamily68);
  lcr::ButtonStopClick(*c, io);
}

TEST_F(PortChoiceTest, AChosenPortThatIsAbsentIsWaitedForAndLinkedWhenItAppears) {
  const QString chosen = dir.filePath("meter");
  lcr::QtSerialIo io;
  c->portChoice = chosen.toStdString();
  ASSERT_TRUE(lcr::ButtonStartClick(*c, io));  // armed, though nothing opened
  EXPECT_EQ(OpenPorts(), 0);
  EXPECT_TRUE(c->win.checkCom.armed);
  EXPECT_FALSE(c->win.startEnabled);
  EXPECT_EQ(Status(), "Waiting for " + chosen.toStdString());
  EXPECT_FALSE(DetectWithin(io, 600));
  EXPECT_EQ(Status(), "Waiting for " + chosen.toStdString());

  lcrtest::Simulator sim;  // plugged in
  ASSERT_TRUE(sim.Start({"--interval", "50", "--link", chosen}));
  ASSERT_TRUE(DetectWithin(io, 8000));
  EXPECT_EQ(Status(), "Meter on " + chosen.toStdString());
  EXPECT_EQ(c->acq.ActiveFamily, lcr::kFamily730);
  lcr::ButtonStopClick(*c, io);
}

#endif

}  // namespace
