// The port list the settings dialog and `lcrtool ports` show: LCR_TAVRIK_PORTS
// first, numbered as automatic detection opens them, with stable names.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "link/port_list.h"
#include "link/qt_serial_io.h"
#include "test_support.h"

namespace {

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "port_list_test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

TEST(PortList, NamedPathsComeFirstAndTheSystemDescribesItsOwn) {
  const QString stable = "/dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0";
  const QList<lcr::PortListing> ports = lcr::ListPorts(
      "/tmp/sim-meter:/dev/ttyUSB1", {{"/dev/ttyUSB1", " FT232R USB UART "}, {"/dev/ttyACM0", ""}}, {{"/dev/ttyUSB1", stable}});
  ASSERT_EQ(ports.size(), 3);
  EXPECT_EQ(lcr::PortLabel(ports[0]), "/tmp/sim-meter (named in LCR_TAVRIK_PORTS)");
  EXPECT_EQ(lcr::PortLabel(ports[1]), "/dev/ttyUSB1 (FT232R USB UART; " + stable + ")");
  EXPECT_EQ(ports[1].Choice(), stable);  // kept by the name that survives replugging
  EXPECT_EQ(lcr::PortLabel(ports[2]), "/dev/ttyACM0");
  // A kept choice is found by its path or by its stable name.
  EXPECT_EQ(lcr::FindPort(ports, "/dev/ttyUSB1"), 1);
  EXPECT_EQ(lcr::FindPort(ports, stable), 1);
  EXPECT_EQ(lcr::FindPort(ports, "/dev/ttyUSB9"), -1);
}

#ifndef Q_OS_WIN
// The stable names are links to devices; a port reached through one of them
// gets it, one named by its own link is not named twice.
TEST(PortList, StableNamesAreTheLinksToEachDevice) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString device = dir.filePath("ttyUSB0");
  QFile(device).open(QIODevice::WriteOnly);
  ASSERT_TRUE(QDir(dir.path()).mkdir("by-id"));
  const QString link = dir.filePath("by-id/usb-Meter_42-if00");
  ASSERT_TRUE(QFile::link(device, link));
  ASSERT_TRUE(QFile::link(dir.filePath("gone"), dir.filePath("by-id/usb-Unplugged")));

  const QHash<QString, QString> names = lcr::StableNames(dir.filePath("by-id"));
  EXPECT_EQ(names.size(), 1);
  const QList<lcr::PortListing> ports = lcr::ListPorts(link, {{device, "USB serial"}}, names);
  ASSERT_EQ(ports.size(), 2);
  EXPECT_EQ(ports[0].path, link);
  EXPECT_EQ(ports[0].stableName, "");
  EXPECT_EQ(ports[1].path, device);
  EXPECT_EQ(ports[1].stableName, link);
}

// Port n of the list is the device automatic detection opens as port n, and
// `lcrtool ports` prints the same list.
TEST(PortList, NumbersAreThePortsDetectionOpensAndLcrtoolPrintsThem) {
  App();
  const QByteArray env = "/tmp/lcr-first-meter:/tmp/lcr-second-meter";
  qputenv(lcr::kPortsEnvVar, env);
  const QList<lcr::PortListing> ports = lcr::ListPortsNow();
  lcr::QtSerialIo io;
  ASSERT_GE(ports.size(), 2);
  for (const lcr::PortListing& port : ports) {
    if (port.number > lcr::kMaxPorts) break;
    EXPECT_EQ(io.DevicePath(port.number), port.path) << port.number;
  }

  const lcrtest::ProcessResult r = lcrtest::RunProgram(LCRTOOL_PATH, {"ports"});
  qunsetenv(lcr::kPortsEnvVar);
  EXPECT_EQ(r.exitCode, 0);
  const QList<QByteArray> lines = r.out.split('\n');
  ASSERT_GE(lines.size(), 2);
  EXPECT_EQ(lines[0], "1\t/tmp/lcr-first-meter\tnamed in LCR_TAVRIK_PORTS");
  EXPECT_EQ(lines[1], "2\t/tmp/lcr-second-meter\tnamed in LCR_TAVRIK_PORTS");
  EXPECT_EQ(r.out.count('\n'), ports.size());

  EXPECT_EQ(lcrtest::RunProgram(LCRTOOL_PATH, {"ports", "--all"}).exitCode, 2);
}
#endif

}  // namespace
