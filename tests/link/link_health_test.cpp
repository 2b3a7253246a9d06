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
  EXPECT_EQ(c->win.status[4].toStdString(),
            "No serial port could be opened: no permission for /dev/ttyUSB2; add your user to the dialout "
            "group (sudo usermod -aG dialout $USER) and log in again");

  // A port that opens wins over the refused ones.
  io.SetOpenablePorts({7});
  EXPECT_TRUE(ButtonStartClick(*c, io));
  EXPECT_EQ(c->win.status[4], "Looking for a meter on 1 port");
  EXPECT_EQ(told.size(), 3u);
}

}  // namespace
