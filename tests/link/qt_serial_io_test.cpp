// The QSerialPort backend: port numbering, calls on bad ports, and the whole
// road from `lcrtool simulate` on a pseudo-terminal through detection and
// read passes to decoded readings, including a replugged meter.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <memory>

#include "link/acquisition_state.h"
#include "link/link_ops.h"
#include "link/qt_serial_io.h"
#include "simulator/pty_streamer.h"
#include "test_support.h"

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#endif

namespace {

using lcr::QtSerialIo;

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "qt_serial_io_test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

// Lets the event loop run, as the application's does between timer ticks.
void Pump(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

// Pumps until `done` holds or `ms` have passed.
bool PumpUntil(const std::function<bool()>& done, int ms, int stepMs = 50) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) {
    if (done()) return true;
    Pump(stepMs);
  }
  return done();
}

// Sets an environment variable for one scope.
class ScopedEnv {
 public:
  ScopedEnv(const char* name, const QByteArray& value)
      : name_(name), had_(qEnvironmentVariableIsSet(name)), old_(qgetenv(name)) {
    qputenv(name_, value);
  }
  ~ScopedEnv() {
    if (had_) {
      qputenv(name_, old_);
    } else {
      qunsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_;
  QByteArray old_;
};

class QtSerialIoTest : public testing::Test {
 protected:
  void SetUp() override {
    App();
    ASSERT_TRUE(dir_.isValid());
    state_ = std::make_unique<lcr::AcquisitionState>();
  }

  QString LinkPath() const { return dir_.filePath("meter"); }

  // Detection passes, a few times a second, until a meter is found.
  bool Detect(QtSerialIo& io, int ms = 5000) {
    return PumpUntil([&] { return lcr::DetectionPass(*state_, io, QDateTime::currentDateTime()); },
                     ms, 100);
  }

  // Read passes until one decodes a frame whose main value satisfies `want`.
  bool ReadUntil(QtSerialIo& io, const std::function<bool(const lcr::Reading&)>& want,
                 int ms = 5000) {
    return PumpUntil(
        [&] {
          const lcr::ReadPassResult r = lcr::ReadPass(*state_, io, QDateTime::currentDateTime());
          return r.decoded && lcr::HoldsReading(state_->reading.DisplayCodes) &&
                 want(state_->reading);
        },
        ms, 100);
  }

  QTemporaryDir dir_;
  std::unique_ptr<lcr::AcquisitionState> state_;
};

// ------------------------------------------------------------ the port list

TEST(PortList, EnvironmentPathsComeFirstThenSystemPortsInNaturalOrder) {
  const QStringList list = lcr::BuildPortList(
      "/tmp/a::/dev/serial/by-id/meter:", {"/dev/ttyUSB10", "/dev/ttyS0", "/dev/ttyUSB2"});
  EXPECT_EQ(list, (QStringList{"/tmp/a", "/dev/serial/by-id/meter", "/dev/ttyS0", "/dev/ttyUSB2",
                               "/dev/ttyUSB10"}));
}

TEST(PortList, APathIsListedOnce) {
  const QStringList list =
      lcr::BuildPortList("/dev/ttyUSB0:/dev/ttyUSB0", {"/dev/ttyUSB1", "/dev/ttyUSB0"});
  EXPECT_EQ(list, (QStringList{"/dev/ttyUSB0", "/dev/ttyUSB1"}));
}

#ifndef Q_OS_WIN
TEST(PortList, PortNumbersFollowTheList) {
  App();
  ScopedEnv env(lcr::kPortsEnvVar, "/tmp/first-meter:/tmp/second-meter");
  QtSerialIo io;
  EXPECT_EQ(io.DevicePath(1), "/tmp/first-meter");
  EXPECT_EQ(io.DevicePath(2), "/tmp/second-meter");
  EXPECT_EQ(io.DevicePath(0), "");
  EXPECT_EQ(io.DevicePath(51), "");
}
#endif

// ----------------------------------------------------------- bad arguments

TEST(QtSerialIoCalls, PortsOutsideOneToFiftyAreRefused) {
  App();
  QtSerialIo io;
  char buffer[16];
  for (int port : {-1, 0, 51, 1000}) {
    EXPECT_NE(io.sio_open(port), 0) << port;
    EXPECT_LT(io.sio_read(port, buffer, sizeof buffer), 0) << port;
    EXPECT_NE(io.sio_close(port), 0) << port;
    EXPECT_NE(io.sio_DTR(port, 0), 0) << port;
    io.Wait(port, 1);  // harmless
  }
}

TEST(QtSerialIoCalls, PortsNeverOpenedReadNothingAndCloseHarmlessly) {
  App();
  QtSerialIo io;
  char buffer[16];
  EXPECT_LE(io.sio_read(7, buffer, sizeof buffer), 0);
  EXPECT_EQ(io.sio_close(7), 0);
  EXPECT_FALSE(io.IsOpen(7));
}

#ifndef Q_OS_WIN
TEST(QtSerialIoCalls, AMissingDeviceFailsToOpenWithoutAWord) {
  App();
  ScopedEnv env(lcr::kPortsEnvVar, "/nonexistent/lcr-meter");
  QtSerialIo io;
  testing::internal::CaptureStderr();
  EXPECT_NE(io.sio_open(1), 0);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  EXPECT_FALSE(io.IsOpen(1));
}

// A second program (here a second backend) finds the port held, and says so.
TEST(QtSerialIoCalls, APortHeldByAnotherIsInUseNotAbsent) {
  App();
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  ASSERT_GE(master, 0);
  ASSERT_EQ(::grantpt(master), 0);
  ASSERT_EQ(::unlockpt(master), 0);
  const QString path = QString::fromLocal8Bit(::ptsname(master));
  {
    QtSerialIo holder(QStringList{path}), second(QStringList{path});
    ASSERT_EQ(holder.sio_open(1), 0);
    EXPECT_EQ(second.sio_open(1), lcr::kSioInUse);
    holder.sio_close(1);
    EXPECT_EQ(second.sio_open(1), 0);  // free again
  }
  ::close(master);
}

TEST(QtSerialIoCalls, WaitOnAClosedPortStillWaits) {
  App();
  QtSerialIo io;
  QElapsedTimer t;
  t.start();
  io.Wait(3, 40);
  EXPECT_GE(t.elapsed(), 35);
}
#endif

// --------------------------------------------------- lcrtool simulate itself

TEST(SimulateCommand, BadOptionsExitTwoWithOneLine) {
  App();
  const QList<QStringList> bad = {
      {"--family", "12"},       {"--family"},           {"--scenario", "nope"},
      {"--interval", "0"},      {"--interval", "abc"}, {"--interval", "60001"},
      {"--bogus"},              {"--link"},             {"--link", ""},
      {"steady"},
  };
  for (const QStringList& args : bad) {
    const lcrtest::ProcessResult r =
        lcrtest::RunProgram(LCRTOOL_PATH, QStringList{"simulate"} + args, 10000);
    EXPECT_EQ(r.exitCode, 2) << args.join(' ').toStdString();
    EXPECT_TRUE(r.out.isEmpty()) << args.join(' ').toStdString();
    EXPECT_EQ(r.err.count('\n'), 1) << args.join(' ').toStdString() << ": " << r.err.toStdString();
  }
}

#ifdef LCR_SIM_HAVE_PTY
TEST_F(QtSerialIoTest, SimulatorLinkReplacesAStaleLinkAndGoesAwayOnStop) {
  ASSERT_TRUE(QFile::link("/nonexistent/old-pty", LinkPath()));
  {
    lcrtest::Simulator sim;
    ASSERT_TRUE(sim.Start({"--link", LinkPath()}));
    EXPECT_TRUE(sim.Device().startsWith("/dev/"));
    EXPECT_EQ(QFileInfo(LinkPath()).symLinkTarget(), sim.Device());
    sim.Stop();
    EXPECT_EQ(sim.Process().exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(sim.Process().exitCode(), 0);
  }
  EXPECT_FALSE(QFileInfo(LinkPath()).isSymLink());
  EXPECT_FALSE(QFileInfo::exists(LinkPath()));
}

TEST_F(QtSerialIoTest, SimulatorLeavesAFileInTheLinksPlaceAlone) {
  {
    QFile f(LinkPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("keep me");
  }
  const lcrtest::ProcessResult r =
      lcrtest::RunProgram(LCRTOOL_PATH, {"simulate", "--link", LinkPath()}, 10000);
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_TRUE(r.out.isEmpty());
  QFile f(LinkPath());
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "keep me");
}

// --------------------------------------------------------------- end to end

TEST_F(QtSerialIoTest, SimulatedMeterOf730IsDetectedAndRead) {
  lcrtest::Simulator sim;
  ASSERT_TRUE(sim.Start({"--family", "730", "--interval", "50", "--link", LinkPath()}));
  ScopedEnv env(lcr::kPortsEnvVar, LinkPath().toLocal8Bit());
  QtSerialIo io;
  ASSERT_TRUE(lcr::OpenPorts(*state_, io));
  EXPECT_TRUE(state_->PortOpen[1]);
  EXPECT_TRUE(io.IsOpen(1));  // DTR and RTS on a pseudo-terminal did not upset it

  ASSERT_TRUE(Detect(io));
  EXPECT_EQ(state_->LinkPort, 1);
  EXPECT_EQ(state_->ActiveFamily, lcr::kFamily730);
  EXPECT_EQ(state_->FrameLength, lcr::kFrameLength730);

  ASSERT_TRUE(ReadUntil(io, [](const lcr::Reading& r) { return r.MainValue == "100.12"; }));
  EXPECT_EQ(state_->reading.MainFunction, "CAPnF");
  EXPECT_EQ(state_->reading.SubValue, "0.012");
  EXPECT_EQ(state_->ModelTag, lcr::kFamily730);
  lcr::ClosePortsExcept(io, 0);
  EXPECT_FALSE(io.IsOpen(1));
}

TEST_F(QtSerialIoTest, SimulatedMeterOf68IsDetectedAndReadThroughItsDevicePath) {
  lcrtest::Simulator sim;
  ASSERT_TRUE(sim.Start({"--family", "68", "--scenario", "sweep", "--interval", "50"}));
  ScopedEnv env(lcr::kPortsEnvVar, sim.Device().toLocal8Bit());
  QtSerialIo io;
  ASSERT_TRUE(lcr::OpenPorts(*state_, io));
  ASSERT_TRUE(Detect(io));
  EXPECT_EQ(state_->ActiveFamily, lcr::kFamily68);
  EXPECT_EQ(state_->FrameLength, lcr::kFrameLength68);
  // A sweep: two different readings in turn.
  std::string first;
  ASSERT_TRUE(ReadUntil(io, [&](const lcr::Reading& r) {
    first = r.MainValue;
    return r.MainFunction == "DCV V";
  }));
  ASSERT_TRUE(ReadUntil(io, [&](const lcr::Reading& r) { return r.MainValue != first; }));
}

TEST_F(QtSerialIoTest, ReadsReturnAtOnceAndWaitTakesBytesIn) {
  lcrtest::Simulator sim;
  ASSERT_TRUE(sim.Start({"--interval", "20", "--link", LinkPath()}));
  ScopedEnv env(lcr::kPortsEnvVar, LinkPath().toLocal8Bit());
  QtSerialIo io;
  ASSERT_EQ(io.sio_open(1), 0);
  char buffer[lcr::kReadChunk];
  Pump(150);
  while (io.sio_read(1, buffer, sizeof buffer) > 0) {
  }
  // Without the event loop nothing new is taken in, and a read does not wait.
  QElapsedTimer t;
  t.start();
  EXPECT_LE(io.sio_read(1, buffer, sizeof buffer), 0);
  EXPECT_LT(t.elapsed(), 50);
  // Wait blocks for its time and takes in what arrives meanwhile.
  t.restart();
  io.Wait(1, 150);
  EXPECT_GE(t.elapsed(), 145);
  const int n = io.sio_read(1, buffer, sizeof buffer);
  EXPECT_GE(n, 17);
  // Reads are cut at the length asked for.
  Pump(100);
  EXPECT_EQ(io.sio_read(1, buffer, 5), 5);
  io.sio_close(1);
}

// A meter streaming into a line nobody has open must not leave a backlog of
// stale frames for whoever opens it later.
TEST_F(QtSerialIoTest, ALineNobodyReadsHoldsNoLongBacklog) {
  lcrtest::Simulator sim;
  ASSERT_TRUE(sim.Start({"--interval", "10", "--link", LinkPath()}));
  Pump(1500);  // some 150 frames, 2500 bytes, with nobody reading
  ScopedEnv env(lcr::kPortsEnvVar, LinkPath().toLocal8Bit());
  QtSerialIo io;
  ASSERT_EQ(io.sio_open(1), 0);
  Pump(100);
  char buffer[lcr::kReadChunk];
  int total = 0;
  for (int n; (n = io.sio_read(1, buffer, sizeof buffer)) > 0;) total += n;
  EXPECT_GE(total, 17);
  EXPECT_LT(total, 1800);
  io.sio_close(1);
}

TEST_F(QtSerialIoTest, AReplugedMeterGoesOnDeliveringFrames) {
  ScopedEnv env(lcr::kPortsEnvVar, LinkPath().toLocal8Bit());
  QtSerialIo io;
  {
    lcrtest::Simulator sim;
    ASSERT_TRUE(sim.Start({"--interval", "50", "--link", LinkPath()}));
    ASSERT_TRUE(lcr::OpenPorts(*state_, io));
    ASSERT_TRUE(Detect(io));
    ASSERT_TRUE(ReadUntil(io, [](const lcr::Reading& r) { return r.MainValue == "100.12"; }));
  }  // unplugged: the simulator is gone and so is its device

  // The port closes at the first error; reads then return nothing.
  ASSERT_TRUE(PumpUntil([&] { return !io.IsOpen(1); }, 3000));
  char buffer[lcr::kReadChunk];
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(io.sio_read(1, buffer, sizeof buffer), 0);
    Pump(20);
  }

  // Plugged in again, on a new device behind the same path.
  lcrtest::Simulator again;
  ASSERT_TRUE(again.Start({"--scenario", "sweep", "--interval", "50", "--link", LinkPath()}));
  ASSERT_TRUE(ReadUntil(
      io, [](const lcr::Reading& r) { return r.MainFunction.rfind("OHMK", 0) == 0; }, 8000));
  EXPECT_TRUE(io.IsOpen(1));
  EXPECT_EQ(state_->LinkPort, 1);
}

TEST_F(QtSerialIoTest, AFamilySwitchReachesTheModelTag) {
  lcrtest::Simulator sim;
  ASSERT_TRUE(sim.Start({"--scenario", "switch", "--interval", "25", "--link", LinkPath()}));
  ScopedEnv env(lcr::kPortsEnvVar, LinkPath().toLocal8Bit());
  QtSerialIo io;
  ASSERT_TRUE(lcr::OpenPorts(*state_, io));
  ASSERT_TRUE(Detect(io));
  EXPECT_EQ(state_->ActiveFamily, lcr::kFamily730);
  // The switch comes after 40 frames, one second at this pace.
  EXPECT_TRUE(PumpUntil(
      [&] {
        lcr::ReadPass(*state_, io, QDateTime::currentDateTime());
        return state_->ModelTag == lcr::kFamily68;
      },
      6000, 100));
}
#endif

}  // namespace
