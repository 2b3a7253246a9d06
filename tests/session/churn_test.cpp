// Churn: Start and Stop a hundred times over fifty listed ports, thirty of
// which cannot open, with a meter found on every other round. Afterwards no
// port is open and no file descriptor or timer is left behind.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <array>
#include <memory>

#include "session/cycle_runner.h"
#include "link/qt_serial_io.h"
#include "simulator/frame_encoder.h"
#include "simulator/pty_streamer.h"
#include "simulator/scenarios.h"

namespace {

int OpenDescriptors() { return int(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size()); }

}  // namespace

TEST(Churn, AHundredStartsAndStopsLeaveNothingOpen) {
  if (!lcr::sim::PtyStreamer::Supported() || !QDir(QStringLiteral("/proc/self/fd")).exists())
    GTEST_SKIP() << "needs pseudo-terminals and /proc";
  int argc = 1;
  char name[] = "churn_test";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);

  constexpr int kLines = 8;  // every open of a line costs QSerialPort a synced lock file
  std::array<lcr::sim::PtyStreamer, kLines> lines;
  for (lcr::sim::PtyStreamer& line : lines) {
    std::string why;
    ASSERT_TRUE(line.Open(&why)) << why;
  }
  QStringList ports;
  // Port n: a pseudo-terminal for 8 of them, a path that does not exist for the rest.
  int next = 0;
  int meterPort = 0;
  for (int port = 1; port <= lcr::kMaxPorts; ++port) {
    if (port % 5 < 2 && next < kLines) {
      ports << QString::fromStdString(lines[std::size_t(next++)].DevicePath());
      if (next == 5) meterPort = port;
    } else {
      ports << QStringLiteral("/nonexistent/ttyLCR%1").arg(port);
    }
  }
  ASSERT_EQ(ports.size(), lcr::kMaxPorts);
  lcr::sim::PtyStreamer& meter = lines[4];

  auto ownedIo = std::make_unique<lcr::QtSerialIo>(ports);
  lcr::QtSerialIo& io = *ownedIo;
  lcr::CycleRunner runner(std::move(ownedIo));
  lcr::Cycle& c = runner.cycle();

  int found = 0;
  int before = -1;
  for (int round = 0; round < 100; ++round) {
    ASSERT_TRUE(runner.start());
    if (round % 2 == 0) {
      // Two frames on the meter's line, taken in before the detection pass.
      const lcr::sim::ScenarioStep step = lcr::sim::ScenarioFrame(lcr::sim::Scenario::kSteady, 730, 0);
      for (int i = 0; i < 3; ++i) meter.Send(step.frame.data(), step.frame.size());
      io.Wait(meterPort, 60);
    }
    runner.onCheckCom();
    if (c.win.readCom.armed) {
      ++found;
      EXPECT_EQ(c.acq.LinkPort, meterPort);
      runner.onReadCom();
      runner.onShowTime();
    }
    runner.stop();
    QCoreApplication::processEvents();
    for (int port = 1; port <= lcr::kMaxPorts; ++port) ASSERT_FALSE(io.IsOpen(port)) << "round " << round << " port " << port;
    EXPECT_FALSE(runner.readComQTimer().isActive() || runner.showTimeQTimer().isActive());
    if (round == 0) before = OpenDescriptors();
  }
  EXPECT_EQ(found, 50);
  EXPECT_EQ(OpenDescriptors(), before);
}
