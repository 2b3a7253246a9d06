// The link's health as the cycle moves it: each state's text in the last
// status panel, told once per change.
#include <gtest/gtest.h>

#include <QLocale>

#include "session/cycle.h"
#include "test_support.h"

using namespace lcr;
using lcrtest::Concat;
using lcrtest::Frame730Value;

namespace {

// A scripted port list whose devices have the names a Linux system gives.
struct NamedPortsIo : ScriptedSerialIo {
  std::string DeviceName(int port) override { return "/dev/ttyUSB" + std::to_string(port - 1); }
};

struct LinkHealthTest : ::testing::Test {
  std::unique_ptr<Cycle> c = MakeCycle();
  NamedPortsIo io;
  QDateTime now{QDate(2026, 5, 6), QTime(7, 8, 9)};
  std::vector<std::string> told;  // the panel's text at each change

  void SetUp() override {
    FormCreate(*c, QLocale::c());
    c->onLinkHealthChanged = [this] {
      told.push_back(c->win.status[4].toStdString());
      EXPECT_EQ(told.back(), LinkHealthText(c->link.state));
    };
  }

  void Read(const lcrtest::Bytes& bytes, int ms = 500) {
    io.QueueRead(1, bytes);
    now = now.addMSecs(ms);
    ReadComTimer(*c, io, now);
  }
};

TEST_F(LinkHealthTest, EveryStateOfTheLinkIsToldOnceInPlainWords) {
  EXPECT_EQ(c->win.status[4], "Stopped");

  io.SetOpenablePorts({1, 3, 4});
  ASSERT_TRUE(ButtonStartClick(*c, io));
  now = now.addMSecs(2000);
  EXPECT_FALSE(CheckComTimer(*c, io, now));  // nothing heard yet: still looking
  io.QueueRead(1, Concat({Frame730Value(1), Frame730Value(1)}));
  ASSERT_TRUE(CheckComTimer(*c, io, now));

  for (int i = 0; i < 4; ++i) Read(Frame730Value(i));
  for (int i = 0; i < 9; ++i) Read({});   // 4.5 s without a frame: still fine
  Read({});                               // 5 s
  Read({});
  Read(Frame730Value(7));  // the cable is back
  EXPECT_EQ(c->win.status[0], "Linking");  // the first panel keeps its own text

  ButtonStopClick(*c, io);
  now = now.addMSecs(2000);
  CheckComTimer(*c, io, now);  // passes after Stop find nothing and change nothing

  io.SetOpenablePorts({2});
  ASSERT_TRUE(ButtonStartClick(*c, io));

  EXPECT_EQ(told, (std::vector<std::string>{"Looking for a meter on 3 ports", "Meter on /dev/ttyUSB0",
                                            "No data for 5 s: check the cable", "Meter on /dev/ttyUSB0",
                                            "Stopped", "Looking for a meter on 1 port"}));
}

TEST_F(LinkHealthTest, NoPortToOpenNamesTheFirstPortRefusedForLackOfPermission) {
  io.SetOpenablePorts({});
  EXPECT_FALSE(ButtonStartClick(*c, io));
  EXPECT_EQ(c->win.status[4], "No serial port could be opened");
  EXPECT_EQ(c->win.status[0], QStringLiteral("Detecting\u2026\u2026"));

  io.SetRefusedPorts({3, 5});
  EXPECT_FALSE(ButtonStartClick(*c, io));
  EXPECT_EQ(c->win.status[4].toStdString(), "No permission for /dev/ttyUSB2");  // fits the panel
  EXPECT_EQ(LinkHealthAdvice(c->link.state),
            "No serial port could be opened: no permission for /dev/ttyUSB2; add your user to the dialout "
            "group (sudo usermod -aG dialout $USER) and log in again");

  // A port another program holds is named, unless a port was refused for
  // lack of permission (that fix comes first); a chosen one is not waited for.
  io.SetRefusedPorts({});
  io.SetBusyPorts({4});
  EXPECT_FALSE(ButtonStartClick(*c, io));
  EXPECT_EQ(c->win.status[4], "/dev/ttyUSB3 is in use by another program");
  io.SetRefusedPorts({2});
  EXPECT_FALSE(ButtonStartClick(*c, io));
  EXPECT_EQ(c->win.status[4], "No permission for /dev/ttyUSB1");
  io.SetRefusedPorts({});
  io.SetBusyPorts({1});
  c->portChoice = "/dev/ttyACM0";
  EXPECT_TRUE(ButtonStartClick(*c, io));
  EXPECT_EQ(c->win.status[4], "/dev/ttyACM0 is in use by another program");
  ButtonStopClick(*c, io);
  c->portChoice.clear();
  io.SetBusyPorts({});
  io.SetRefusedPorts({3, 5});
  told.clear();

  // A port that opens wins over the refused ones.
  io.SetOpenablePorts({7});
  EXPECT_TRUE(ButtonStartClick(*c, io));
  EXPECT_EQ(c->win.status[4], "Looking for a meter on 1 port");
  EXPECT_EQ(told.size(), 1u);
}

// Bytes that never form a frame are told apart from a silent line, while
// detecting and while linked.
TEST_F(LinkHealthTest, BytesWithoutFramesAreNamedWithinFiveSeconds) {
  const lcrtest::Bytes noise(480, 0x5A);
  io.SetOpenablePorts({1, 2});
  ASSERT_TRUE(ButtonStartClick(*c, io));
  io.QueueRead(2, noise);
  EXPECT_FALSE(CheckComTimer(*c, io, now.addMSecs(2000)));
  EXPECT_EQ(c->win.status[4], "Bytes arrive on /dev/ttyUSB1 but no meter frames");
  EXPECT_FALSE(CheckComTimer(*c, io, now.addMSecs(4000)));  // quiet again
  EXPECT_EQ(c->win.status[4], "Looking for a meter on 2 ports");

  io.QueueRead(1, Concat({Frame730Value(1), Frame730Value(1)}));
  ASSERT_TRUE(CheckComTimer(*c, io, now.addMSecs(6000)));
  now = now.addMSecs(6000);
  for (int i = 0; i < 10; ++i) Read(noise);
  EXPECT_EQ(c->win.status[4], "Bytes arrive on /dev/ttyUSB0 but no meter frames");
  for (int i = 0; i < 10; ++i) Read({});
  EXPECT_EQ(c->win.status[4], "No data for 5 s: check the cable");
  Read(Frame730Value(2));
  EXPECT_EQ(c->win.status[4], "Meter on /dev/ttyUSB0");
}

}  // namespace
