// The acquisition cycle without a window: Start, Stop, Reset, the timers and
// the display tick's gate.
#include <gtest/gtest.h>

#include "session/cycle.h"
#include "session/file_commands.h"
#include "link/scripted_serial_io.h"
#include "test_support.h"

using namespace lcr;
using lcrtest::Bytes;
using lcrtest::Concat;
using lcrtest::Frame68;
using lcrtest::Frame730Value;

namespace {

struct CycleTest : ::testing::Test, lcrtest::CycleRig {
  void StartAndDetectOk(int family = kFamily730) { ASSERT_TRUE(StartAndDetect(family)); }
  bool Cycle1(const Bytes& read) { return ReadAndTick(read); }
};

TEST_F(CycleTest, StatesDriveControlsAndTimers) {
  const WindowModel& w = c->win;
  // Stopped at start-up.
  EXPECT_EQ(w.status[0], "STOP");
  EXPECT_TRUE(w.startEnabled);
  EXPECT_FALSE(w.stopEnabled);
  EXPECT_TRUE(w.resetEnabled && w.openEnabled && w.saveEnabled && w.systemSetEnabled);
  EXPECT_TRUE(w.systime.armed);
  EXPECT_FALSE(w.checkCom.armed || w.readCom.armed || w.showTime.armed);

  // Detecting.
  ASSERT_TRUE(ButtonStartClick(*c, io));
  EXPECT_EQ(w.status[0], QString::fromUtf8("Detecting……"));
  EXPECT_FALSE(w.startEnabled);
  EXPECT_TRUE(w.stopEnabled);
  EXPECT_FALSE(w.resetEnabled || w.openEnabled || w.saveEnabled || w.exportEnabled ||
               w.systemSetEnabled || w.scrollBar1.enabled || w.scrollBar2.enabled);
  EXPECT_TRUE(w.checkCom.armed);
  EXPECT_EQ(w.checkCom.intervalMs, 2000);

  // A pass that finds nothing re-arms detection.
  io.QueueRead(1, lcrtest::Junk(100));
  EXPECT_FALSE(CheckComTimer(*c, io, Now()));
  EXPECT_TRUE(w.checkCom.armed);

  // Linked.
  io.QueueRead(1, Concat({Frame730Value(1), Frame730Value(1)}));
  const auto showStarts = w.showTime.starts;
  ASSERT_TRUE(CheckComTimer(*c, io, Now()));
  EXPECT_FALSE(w.checkCom.armed);
  EXPECT_TRUE(w.readCom.armed && w.showTime.armed);
  EXPECT_EQ(w.readCom.intervalMs, 500);
  EXPECT_EQ(w.showTime.intervalMs, 500);
  EXPECT_GT(w.showTime.starts, showStarts);
  EXPECT_FALSE(w.startEnabled);

  SystimeTimer(*c, Now());
  EXPECT_EQ(w.status[1], "COM1,9600,n,8,1");
  EXPECT_EQ(w.status[2], "Sampling Rate:120/Minute");
  EXPECT_EQ(w.status[3], "2026-01-02:10:20:30");
  EXPECT_TRUE(w.gridEnabled);

  Cycle1(Frame730Value(5));
  EXPECT_EQ(w.status[0], "Linking");

  // Stopped again: the link timers stop, texts stay.
  ButtonStopClick(*c, io);
  EXPECT_TRUE(w.startEnabled);
  EXPECT_FALSE(w.stopEnabled);
  EXPECT_TRUE(w.resetEnabled && w.scrollBar1.enabled);
  EXPECT_FALSE(w.readCom.armed || w.showTime.armed);
  EXPECT_EQ(w.status[0], "Linking");
  SystimeTimer(*c, Now());
  EXPECT_EQ(w.status[1], "COM1,9600,n,8,1");
}

TEST_F(CycleTest, StartWithNoPortChangesOnlyTheStatus) {
  io.SetOpenablePorts({});
  EXPECT_FALSE(ButtonStartClick(*c, io));
  EXPECT_EQ(c->win.status[0], QString::fromUtf8("Detecting……"));
  EXPECT_TRUE(c->win.startEnabled);
  EXPECT_FALSE(c->win.checkCom.armed);
}

TEST_F(CycleTest, RateShownFromTheDisplayInterval) {
  c->win.showTime.intervalMs = 8571;
  SystimeTimer(*c, Now());
  EXPECT_EQ(c->win.status[2], "Sampling Rate:7/Minute");
  for (int rate = 1; rate <= 120; ++rate) EXPECT_EQ(RateFromInterval(IntervalFromRate(rate)), rate);
  EXPECT_EQ(IntervalFromRate(7), 8571);
  EXPECT_EQ(IntervalFromRate(9), 6667);
  EXPECT_EQ(IntervalFromRate(119), 504);
  EXPECT_EQ(RoundHalfUp(2.5), 3);
  EXPECT_EQ(RoundHalfUp(2.4999), 2);
  EXPECT_EQ(RoundHalfUp(7.0004), 7);
}

TEST_F(CycleTest, NothingIsRecordedBeforeTheThirdFrame) {
  StartAndDetectOk();
  EXPECT_FALSE(Cycle1(Frame730Value(1)));
  EXPECT_FALSE(Cycle1(Frame730Value(2)));
  EXPECT_TRUE(Cycle1(Frame730Value(3)));
  EXPECT_EQ(c->table.RecordCount, 1);
  EXPECT_EQ(c->table.rows[1].MainValue.View(), "3");
  EXPECT_EQ(c->table.rows[1].TimeText.View(), "10:20:31");
}

TEST_F(CycleTest, OneSamplePerTickAndNoneWithoutANewFrame) {
  StartAndDetectOk();
  // Three frames in one read count three, but record once: the last.
  EXPECT_TRUE(Cycle1(Concat({Frame730Value(1), Frame730Value(2), Frame730Value(3)})));
  EXPECT_EQ(c->table.RecordCount, 1);
  EXPECT_EQ(c->table.rows[1].MainValue.View(), "3");
  EXPECT_EQ(c->acq.reading.DisplayCodes, kBlankDisplayCodes);
  EXPECT_FALSE(Cycle1({}));             // nothing arrived
  EXPECT_FALSE(Cycle1(lcrtest::Junk(40)));  // nothing decoded
  EXPECT_EQ(c->table.RecordCount, 1);
  EXPECT_TRUE(Cycle1(Frame730Value(4)));
  EXPECT_EQ(c->table.RecordCount, 2);
}

TEST_F(CycleTest, AFamilyChangeResetsThePanelBeforeTheSample) {
  std::vector<std::string> events;
  c->onPanelReset = [&](int family) { events.push_back("reset " + std::to_string(family)); };
  c->onSampleRecorded = [&] { events.push_back("sample " + std::to_string(c->acq.ActiveFamily)); };
  StartAndDetectOk();
  EXPECT_EQ(events, std::vector<std::string>{"reset 730"});
  Cycle1(Concat({Frame730Value(1), Frame730Value(2), Frame730Value(3)}));
  c->acq.ReceiveBuffer[100] = 0x5A;
  Cycle1(Frame68());
  EXPECT_EQ(events, (std::vector<std::string>{"reset 730", "sample 730", "reset 68", "sample 68"}));
  EXPECT_EQ(c->acq.ActiveFamily, kFamily68);
  EXPECT_EQ(c->acq.ReceiveBuffer[100], 0);  // the reset clears the receive buffer
  EXPECT_EQ(c->table.rows[2].MainCaption.View().substr(3, 6), " MANU ");
}

TEST_F(CycleTest, StopDuringDetectionThenStartAgain) {
  ASSERT_TRUE(ButtonStartClick(*c, io));
  ButtonStopClick(*c, io);
  EXPECT_TRUE(c->win.checkCom.armed);  // Stop leaves detection armed
  EXPECT_FALSE(io.IsOpen(1));
  // Its passes find every port closed and re-arm.
  io.QueueRead(1, Concat({Frame730Value(1), Frame730Value(1)}));
  EXPECT_FALSE(CheckComTimer(*c, io, Now()));
  EXPECT_TRUE(c->win.checkCom.armed);
  // Start reopens the ports and detection resumes.
  ASSERT_TRUE(ButtonStartClick(*c, io));
  EXPECT_TRUE(CheckComTimer(*c, io, Now()));
  EXPECT_TRUE(c->win.showTime.armed);
}

// A meter plugged in after Start, while another port opened, is found; after
// Stop the passes that still run open nothing.
TEST_F(CycleTest, AMeterPluggedInLateIsFound) {
  io.SetOpenablePorts({2});
  ASSERT_TRUE(ButtonStartClick(*c, io));
  EXPECT_FALSE(CheckComTimer(*c, io, Now()));
  io.SetOpenablePorts({2, 7});
  io.QueueRead(7, Concat({Frame730Value(1), Frame730Value(1)}));
  ASSERT_TRUE(CheckComTimer(*c, io, Now()));
  EXPECT_EQ(c->acq.LinkPort, 7);
  EXPECT_FALSE(io.IsOpen(2));

  ButtonStopClick(*c, io);
  io.SetOpenablePorts({3});
  ASSERT_TRUE(ButtonStartClick(*c, io));
  ButtonStopClick(*c, io);
  io.SetOpenablePorts({3, 9});
  EXPECT_FALSE(CheckComTimer(*c, io, Now()));
  for (int port = 1; port <= lcr::kMaxPorts; ++port) EXPECT_FALSE(io.IsOpen(port)) << port;
}

TEST_F(CycleTest, StopAndStartKeepTheTable) {
  StartAndDetectOk();
  for (int i = 1; i <= 4; ++i) Cycle1(Frame730Value(i));
  ASSERT_EQ(c->table.RecordCount, 2);
  ButtonStopClick(*c, io);
  StartAndDetectOk();
  EXPECT_EQ(c->acq.LinkCount, 0);
  for (int i = 5; i <= 7; ++i) Cycle1(Frame730Value(i));
  EXPECT_EQ(c->table.RecordCount, 3);
  EXPECT_EQ(c->table.rows[3].MainValue.View(), "7");
}

TEST_F(CycleTest, RecordsAreUnsavedFromTheirSampleUntilSaveOpenOrReset) {
  EXPECT_EQ(UnsavedRecordCount(*c), 0);
  StartAndDetectOk();
  for (int i = 1; i <= 4; ++i) Cycle1(Frame730Value(i));
  EXPECT_EQ(UnsavedRecordCount(*c), 2);
  ButtonStopClick(*c, io);
  MarkTableSaved(*c);
  EXPECT_EQ(UnsavedRecordCount(*c), 0);
  StartAndDetectOk();
  for (int i = 5; i <= 8; ++i) Cycle1(Frame730Value(i));
  EXPECT_EQ(UnsavedRecordCount(*c), 2);  // only those after the save: the first two are in the file
  ButtonStopClick(*c, io);
  MeasurementTable five;
  ReplaceRecords(five, std::vector<MeasurementRecord>(5));
  ShowOpenedTable(*c, std::move(five));
  EXPECT_EQ(UnsavedRecordCount(*c), 0);
  StartAndDetectOk();
  for (int i = 9; i <= 11; ++i) Cycle1(Frame730Value(i));
  EXPECT_EQ(UnsavedRecordCount(*c), 1);
  ButtonStopClick(*c, io);
  MarkTableUnsaved(*c);  // recovered after a crash: in no file the user chose
  EXPECT_EQ(UnsavedRecordCount(*c), 6);
  ButtonResetClick(*c);
  EXPECT_EQ(UnsavedRecordCount(*c), 0);
  StartAndDetectOk();
  for (int i = 12; i <= 14; ++i) Cycle1(Frame730Value(i));
  EXPECT_EQ(UnsavedRecordCount(*c), 1);
  EXPECT_EQ(UnsavedRecordsQuestion(UnsavedRecordCount(*c), DroppingCommand::Reset),
            "1 record is not saved. Save it before clearing it?");
  EXPECT_EQ(UnsavedRecordsQuestion(11, DroppingCommand::Open),
            "11 records are not saved. Save them before opening another file?");
}

TEST_F(CycleTest, ResetEmptiesTheLogAndTheNextSampleIsRowOne) {
  ButtonResetClick(*c);  // right after start-up
  EXPECT_EQ(c->table.RecordCount, 0);
  StartAndDetectOk();
  for (int i = 1; i <= 5; ++i) Cycle1(Frame730Value(i));
  ASSERT_EQ(c->table.RecordCount, 3);
  ButtonStopClick(*c, io);
  ButtonResetClick(*c);
  EXPECT_EQ(c->table.RecordCount, 0);
  StartAndDetectOk();
  for (int i = 10; i <= 12; ++i) Cycle1(Frame730Value(i));
  EXPECT_EQ(c->table.RecordCount, 1);
  EXPECT_EQ(c->table.rows[1].MainValue.View(), "12");
  EXPECT_EQ(c->table.rows[2].MainValue.View(), "4");  // stale, never shown
}

TEST_F(CycleTest, PanelFlagsFromSegmentFlags) {
  AcquisitionState& s = c->acq;
  s.reading.SegmentFlags = "Not 730 use";
  BuildPanelFlags(s.reading.SegmentFlags, c->PanelFlags);
  for (auto f : c->PanelFlags) EXPECT_EQ(f, 0);

  std::string bits(48, '0');
  bits[1] = bits[11] = bits[45] = '1';  // flags 1, 11, 45
  s.reading.SegmentFlags = bits;
  BuildPanelFlags(s.reading.SegmentFlags, c->PanelFlags);
  EXPECT_EQ(c->PanelFlags[1], 1);
  EXPECT_EQ(c->PanelFlags[80], 1);
  EXPECT_EQ(c->PanelFlags[81], 1);
  EXPECT_EQ(c->PanelFlags[82], 0);
  EXPECT_EQ(c->PanelFlags[85], 1);  // flag 45 also lights 85
  EXPECT_EQ(c->PanelFlags[47], 0);
  EXPECT_EQ(c->PanelFlags[100], 0);
}

TEST_F(CycleTest, ScrollBarsFollowTheNewestRecord) {
  StartAndDetectOk();
  Cycle1(Concat({Frame730Value(1), Frame730Value(1)}));
  for (int i = 0; i < 26; ++i) Cycle1(Frame730Value(i));
  EXPECT_EQ(c->table.RecordCount, 26);
  EXPECT_EQ(c->win.scrollBar2.maximum, 26);
  EXPECT_EQ(c->win.scrollBar2.position, 26);
  EXPECT_EQ(c->win.scrollBar1.position, 200);
  while (c->table.RecordCount < 201) Cycle1(Frame730Value(1));
  EXPECT_EQ(c->win.scrollBar1.maximum, 201);
  EXPECT_EQ(c->win.scrollBar1.position, 201);
}

TEST_F(CycleTest, ScrollBarRangeStaysValidWithLargePages) {
  ApplySettings(*c, 500, 120);
  c->win.scrollBar1.SetMinimum(500);
  StartAndDetectOk();
  Cycle1(Concat({Frame730Value(1), Frame730Value(1)}));
  while (c->table.RecordCount < 250) Cycle1(Frame730Value(1));
  EXPECT_GE(c->win.scrollBar1.maximum, c->win.scrollBar1.minimum);
  EXPECT_GE(c->win.scrollBar1.position, c->win.scrollBar1.minimum);
  EXPECT_LE(c->win.scrollBar1.position, c->win.scrollBar1.maximum);
}

TEST_F(CycleTest, DecimalMarkFollowsTheLocale) {
  EXPECT_EQ(DecideDecimalMark(QLocale::c()), ".");
  EXPECT_EQ(DecideDecimalMark(QLocale(QLocale::German, QLocale::Germany)), ",");
  FormCreate(*c, QLocale::c());
  EXPECT_EQ(c->acq.DecimalMark, ".");
  EXPECT_EQ(c->win.gridRowCount, 26);
}

TEST_F(CycleTest, SettingsApply) {
  ApplySettings(*c, 50, 7);
  EXPECT_EQ(c->win.pointsPerPage, 50);
  EXPECT_EQ(c->win.scrollBar1.pageSize, 50);
  EXPECT_EQ(c->win.showTime.intervalMs, 8571);
  EXPECT_FALSE(c->win.showTime.armed);
}

}  // namespace
