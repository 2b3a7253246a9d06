// Port discovery, detection, the read pass and frame extraction, on scripted reads.
#include <gtest/gtest.h>

#include <algorithm>

#include "session/cycle.h"
#include "link/link_ops.h"
#include "link/scripted_serial_io.h"
#include "test_support.h"

using namespace lcr;
using lcrtest::Bytes;
using lcrtest::Concat;
using lcrtest::Frame68;
using lcrtest::Frame730;
using lcrtest::Frame730Value;
using lcrtest::Junk;

namespace {

const QDateTime kNow(QDate(2026, 3, 4), QTime(5, 6, 7, 89));

// The link state with a scripted port.
struct Rig {
  std::unique_ptr<Cycle> cycle = MakeCycle();
  AcquisitionState& s = cycle->acq;
  ScriptedSerialIo io;

  // Opens `ports` and runs detection passes until one finds a meter.
  bool Detect(const Bytes& read, int port = 1) {
    io.SetOpenablePorts({port});
    EXPECT_TRUE(OpenPorts(s, io));
    io.QueueRead(port, read);
    return DetectionPass(s, io, kNow);
  }

  // A linked state on port 1 with the given family, as after detection.
  void Linked(int family) {
    io.SetOpenablePorts({1});
    OpenPorts(s, io);
    s.LinkPort = 1;
    s.ActiveFamily = family;
    s.FrameLength = family == kFamily68 ? kFrameLength68 : kFrameLength730;
    s.ReceiveBuffer.fill(0);
  }

  ReadPassResult Pass(const Bytes& read, const Bytes& topUp = {}) {
    io.QueueRead(1, read);
    if (!topUp.empty()) io.QueueRead(1, topUp);
    return ReadPass(s, io, kNow);
  }
};

struct Link : ::testing::Test, Rig {};

TEST_F(Link, OpenPortsConfiguresEachOpenedPortInOrder) {
  io.SetOpenablePorts({2, 7});
  EXPECT_TRUE(OpenPorts(s, io));
  EXPECT_TRUE(s.PortOpen[2]);
  EXPECT_TRUE(s.PortOpen[7]);
  EXPECT_FALSE(s.PortOpen[1]);
  const auto& calls = io.Calls();
  auto at = std::find(calls.begin(), calls.end(), "open 2");
  ASSERT_NE(at, calls.end());
  EXPECT_EQ(std::vector<std::string>(at, at + 5),
            (std::vector<std::string>{"open 2", "ioctl 2 12 3", "flowctrl 2 0", "dtr 2 0", "rts 2 0"}));
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](auto& c) { return c.rfind("open ", 0) == 0; }), 50);
  EXPECT_EQ(s.diag.Edit1, "50");

  io.SetOpenablePorts({});
  EXPECT_FALSE(OpenPorts(s, io));
  EXPECT_FALSE(s.PortOpen[2]);
}

TEST_F(Link, DetectionNeedsTwoWholeFramesOfOneFamily) {
  const Bytes two730 = Concat({Frame730(), Frame730()});
  EXPECT_TRUE(Detect(two730));
  EXPECT_EQ(s.ActiveFamily, kFamily730);
  EXPECT_EQ(s.FrameLength, 17);
  EXPECT_EQ(s.LinkPort, 1);

  Rig other;
  const Bytes cut(two730.begin(), two730.end() - 1);  // 33 bytes: second frame incomplete
  EXPECT_FALSE(other.Detect(cut));

  Rig f68;
  EXPECT_TRUE(f68.Detect(Concat({Frame68(), Frame68()})));
  EXPECT_EQ(f68.s.ActiveFamily, kFamily68);
  EXPECT_EQ(f68.s.FrameLength, 31);

  Rig short68;
  const Bytes two68 = Concat({Frame68(), Frame68()});
  EXPECT_FALSE(short68.Detect(Bytes(two68.begin(), two68.end() - 1)));
}

TEST_F(Link, DetectionIgnoresShortReadsAndMixedFamilies) {
  // 25 bytes or fewer leave the port untried, even if they hold starts.
  EXPECT_FALSE(Detect(Junk(25)));
  // 730, 68, 730: the 68 start restarts the count, one match at the end.
  Rig mixed;
  EXPECT_FALSE(mixed.Detect(Concat({Frame730(), Frame68(), Frame730()})));
  EXPECT_EQ(mixed.s.ActiveFamily, kFamily730);
}

TEST_F(Link, Family68NeedsBit3OfByte28) {
  EXPECT_FALSE(Detect(Concat({Frame68({{28, 0x07}}), Frame68({{28, 0x07}})})));
  Rig ok;
  EXPECT_TRUE(ok.Detect(Concat({Frame68({{28, 0x0F}}), Frame68({{28, 0x0F}})})));
}

TEST_F(Link, DetectionTakesTheFirstTalkingPortAndClosesTheRest) {
  io.SetOpenablePorts({2, 3, 4});
  ASSERT_TRUE(OpenPorts(s, io));
  io.QueueRead(2, Junk(40));
  io.QueueRead(3, Concat({Frame730(), Frame730()}));
  io.QueueRead(4, Concat({Frame730(), Frame730()}));
  io.ClearCalls();
  EXPECT_TRUE(DetectionPass(s, io, kNow));
  EXPECT_EQ(s.LinkPort, 3);
  EXPECT_EQ(io.PendingReads(4), 1u);  // higher ports are not read
  EXPECT_TRUE(io.IsOpen(3));
  EXPECT_FALSE(io.IsOpen(2));
  EXPECT_FALSE(io.IsOpen(4));
  EXPECT_EQ(s.diag.Edit3, "check_com:  2026-03-04:05:06:07.089");
}

TEST_F(Link, DetectionTracesBytesInUpperCaseHex) {
  s.diag.Edit1.clear();
  Detect(Concat({Frame68(), Frame68()}));
  EXPECT_EQ(s.diag.Edit1.substr(0, 17), "50AA 55 00 37 00 ");
}

TEST_F(Link, ReadPassDecodesBackToBackFrames) {
  Linked(kFamily730);
  const ReadPassResult r = Pass(Concat({Junk(5), Frame730Value(1), Frame730Value(2), Frame730Value(3)}));
  EXPECT_EQ(r.rearmMs, 500);
  EXPECT_TRUE(r.decoded);
  EXPECT_EQ(s.LinkCount, 3);
  EXPECT_EQ(s.reading.FrameStatus, "1");
  EXPECT_EQ(s.reading.MainValue, "3");  // the last frame stands
  EXPECT_EQ(s.ModelTag, kFamily730);
  EXPECT_EQ(s.ReadPos, 0);
  EXPECT_EQ(s.PendingLen, 0);
}

TEST_F(Link, ReadPassTopsUpAPartialFrameOnce) {
  Linked(kFamily68);
  const Bytes f = Frame68({{28, 0x28}});
  io.ClearCalls();
  const ReadPassResult r = Pass(Bytes(f.begin(), f.begin() + 20), Bytes(f.begin() + 20, f.end()));
  EXPECT_EQ(r.rearmMs, 550);
  EXPECT_TRUE(r.decoded);
  EXPECT_EQ(s.reading.DisplayCodes[3], '1');  // the auto-range flag of the topped-up tail
  EXPECT_NE(std::find(io.Calls().begin(), io.Calls().end(), "wait 1 30"), io.Calls().end());
  EXPECT_EQ(s.diag.Edit1.substr(s.diag.Edit1.size() - 2), "11");  // the top-up's count

  // A top-up that brings nothing: the count is 0 and the partial frame is dropped.
  const ReadPassResult empty = Pass(Bytes(f.begin(), f.begin() + 20));
  EXPECT_EQ(empty.rearmMs, 550);
  EXPECT_FALSE(empty.decoded);
  EXPECT_EQ(s.diag.Edit1.back(), '0');
}

TEST_F(Link, A730StartMayLeanOnStaleBytesOfAnEarlierRead) {
  Linked(kFamily730);
  const Bytes f = Frame730Value(42);
  Pass(f);
  ASSERT_EQ(s.LinkCount, 1);
  // Fourteen bytes: the start test sees the earlier frame's 0D 0A behind
  // them, so the pass tops up and decodes the frame.
  const ReadPassResult r = Pass(Bytes(f.begin(), f.begin() + 14), Bytes(f.begin() + 14, f.end()));
  EXPECT_EQ(r.rearmMs, 550);
  EXPECT_TRUE(r.decoded);
  EXPECT_EQ(s.LinkCount, 2);
}

TEST_F(Link, ReadPassDropsShortOrStartlessReads) {
  Linked(kFamily730);
  s.LinkCount = 11;
  const Bytes f = Frame730Value(7);
  ReadPassResult r = Pass(Bytes(f.begin(), f.begin() + 13));
  EXPECT_FALSE(r.decoded);
  EXPECT_EQ(s.ReadPos, 0);
  EXPECT_EQ(s.LinkCount, 5);  // held small at the start of a pass

  r = Pass(Junk(200));
  EXPECT_FALSE(r.decoded);
  EXPECT_EQ(s.ReadPos, 0);
  EXPECT_EQ(r.rearmMs, 500);

  r = Pass({});
  EXPECT_FALSE(r.decoded);
  EXPECT_EQ(s.PendingLen, 0);
}

TEST_F(Link, TrailingJunkOfAFrameLengthUndoesTheReading) {
  Linked(kFamily730);
  Pass(Concat({Frame730Value(9), Junk(17, 0x11)}));
  EXPECT_EQ(s.reading.FrameStatus, "4");
  EXPECT_EQ(s.reading.DisplayCodes, kBlankDisplayCodes);
  EXPECT_EQ(s.LinkCount, 1);

  Pass(Concat({Frame730Value(9), Junk(16, 0x11)}));
  EXPECT_EQ(s.reading.FrameStatus, "1");
  EXPECT_TRUE(HoldsReading(s.reading.DisplayCodes));
}

TEST_F(Link, Family68FrameWithNonZeroPaddingIsNotDecoded) {
  Linked(kFamily68);
  Pass(Frame68({{5, 0x01}}));
  EXPECT_EQ(s.reading.FrameStatus, "4");
  EXPECT_EQ(s.LinkCount, 0);
  EXPECT_EQ(s.ModelTag, kFamily68);  // the start still names the family

  Pass(Frame68());
  EXPECT_EQ(s.reading.FrameStatus, "1");
  EXPECT_EQ(s.LinkCount, 1);
}

TEST_F(Link, BlankSecondaryClearsItsRangeAndFunction) {
  Linked(kFamily730);
  // Secondary state 1 ("Space" column: empty), secondary function code 1.
  Pass(Frame730({{13, 0x08}, {14, 0x01}}));
  ASSERT_EQ(s.reading.FrameStatus, "1");
  EXPECT_EQ(s.reading.SubValue, "");
  EXPECT_EQ(s.reading.SubRange, "");
  EXPECT_EQ(s.reading.SubFunction, "");
}

TEST_F(Link, AFamilySwitchWhileLinkedKeepsTheReadings) {
  Linked(kFamily730);
  Pass(Concat({Frame68(), Frame68({{28, 0x28}})}));
  EXPECT_EQ(s.reading.FrameStatus, "1");
  EXPECT_EQ(s.reading.DisplayCodes[3], '1');  // the second frame stands
  EXPECT_EQ(s.LinkCount, 2);
  EXPECT_EQ(s.ModelTag, kFamily68);

  // And back, one frame per read: a lone frame of the shorter family decodes.
  Pass(Frame730Value(76));
  EXPECT_EQ(s.reading.FrameStatus, "1");
  EXPECT_EQ(s.reading.MainValue, "76");
  EXPECT_EQ(s.ModelTag, kFamily730);
  Pass(Concat({Frame730Value(1), Frame730Value(2), Frame730Value(3)}));
  EXPECT_EQ(s.reading.MainValue, "3");
  EXPECT_EQ(s.LinkCount, 6);
}

TEST_F(Link, ExtractFrameZeroesEveryStartThatYieldedNothing) {
  Linked(kFamily730);
  Bytes read = Concat({Junk(3, 0x00), Frame68({{29, 0x00}}), Frame730Value(5)});
  std::copy(read.begin(), read.end(), s.ReceiveBuffer.begin() + 1);
  ExtractFrame(s, 1, int(read.size()));
  EXPECT_EQ(s.reading.FrameStatus, "1");
  EXPECT_EQ(s.reading.MainValue, "5");
  EXPECT_EQ(s.ModelTag, kFamily730);
  EXPECT_EQ(s.ReceiveBuffer[4], 0);  // the broken 68 frame's AA
  EXPECT_EQ(s.ReceiveBuffer[3 + 31 + 1], 0x00);  // the decoded frame keeps its first byte
  EXPECT_EQ(s.ReceiveBuffer[3 + 31 + 2], 0x0D);
}

TEST_F(Link, ExtractFrameNeedsTheWholeFrameInsideThePendingBytes) {
  Linked(kFamily730);
  const Bytes f = Frame730Value(5);
  std::copy(f.begin(), f.end(), s.ReceiveBuffer.begin() + 1);
  ExtractFrame(s, 1, 16);
  EXPECT_EQ(s.reading.FrameStatus, "4");
  EXPECT_EQ(s.ModelTag, kFamily730);
}

TEST_F(Link, NoReadCanCrashOrOverrunTheBuffer) {
  // Every family start packed as densely as possible, at the largest read.
  Linked(kFamily68);
  Bytes dense;
  while (dense.size() < 2048) {
    for (unsigned char b : {0xAA, 0x55, 0x00, 0x0D, 0x0A}) dense.push_back(b);
  }
  dense.resize(2048);
  Pass(dense, dense);
  Linked(kFamily730);
  Pass(dense, dense);
  Pass(Bytes(2048, 0x00), Bytes(2048, 0x0D));
  SUCCEED();
}

TEST_F(Link, ClosePortsExceptClosesEveryOtherPort) {
  io.ClearCalls();
  ClosePortsExcept(io, 4);
  EXPECT_EQ(io.Calls().size(), 49u);
  EXPECT_EQ(std::count(io.Calls().begin(), io.Calls().end(), "close 4"), 0);
}

TEST_F(Link, DiagnosticsStayBounded) {
  Linked(kFamily730);
  for (int i = 0; i < 1200; ++i) Pass(Frame730Value(i));
  EXPECT_EQ(s.diag.Memo1.size(), Diagnostics::kMemoLines);
  EXPECT_EQ(s.diag.memoLinesAdded, 1200u);
}

}  // namespace
