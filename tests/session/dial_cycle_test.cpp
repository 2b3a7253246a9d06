// The dial as the cycle drives it: every recorded sample moves the needle,
// Reset brings the clean face back and rests the needle at zero.
#include <gtest/gtest.h>

#include "session/cycle.h"
#include "link/scripted_serial_io.h"
#include "test_support.h"

using namespace lcr;
using lcrtest::Concat;
using lcrtest::Frame730Value;

namespace {

struct DialCycleTest : ::testing::Test, lcrtest::CycleRig {
  void SetUp() override {
    ASSERT_TRUE(StartAndDetect());
  }

  // Read passes until the link counts enough frames for a tick to record.
  void LinkUp() {
    while (c->acq.LinkCount < 3) {
      io.QueueRead(1, Frame730Value(1));
      ReadComTimer(*c, io, Now());
      ASSERT_FALSE(c->dialModel.needleDrawn);
    }
  }

  bool Sample(int value) { return ReadAndTick(Frame730Value(value)); }
};

TEST_F(DialCycleTest, StartsWithTheFirstFaceAndNoNeedle) {
  EXPECT_EQ(c->dial.NeedleTopRow, "0");
  EXPECT_EQ(c->dial.NeedleAngle, 0.0);
  EXPECT_EQ(c->dial.DialRangeClass, "0");
  EXPECT_EQ(c->dialModel.face, DialFace::BP_2);
  EXPECT_FALSE(c->dialModel.needleDrawn);
}

TEST_F(DialCycleTest, RecordedSamplesMoveTheNeedleBeforeTheyAreReported) {
  ASSERT_FALSE(Sample(5000)) << "too few frames yet";
  EXPECT_FALSE(c->dialModel.needleDrawn);
  LinkUp();

  std::string shownWhenReported;
  c->onSampleRecorded = [&] { shownWhenReported = c->dialModel.MainNO; };
  ASSERT_TRUE(Sample(10000));
  EXPECT_EQ(shownWhenReported, "10000");
  EXPECT_EQ(c->acq.reading.MainRange, " 20000");
  EXPECT_DOUBLE_EQ(c->dialModel.angle, 0.4086);
  EXPECT_EQ(c->dial.NeedleTopRow, "31");
  EXPECT_EQ(c->dialModel.multiplier, "x1000");
  // The padded range keeps the face.
  EXPECT_EQ(c->dial.DialRangeClass, " ");
  EXPECT_EQ(c->dialModel.face, DialFace::BP_2);

  ASSERT_TRUE(Sample(20000));
  EXPECT_DOUBLE_EQ(c->dialModel.angle, 0.8172);
  EXPECT_EQ(c->dialModel.erase.front().y, 31) << "the strips follow the needle drawn before";
}

TEST_F(DialCycleTest, TicksWithoutNewFramesLeaveTheNeedle) {
  LinkUp();
  ASSERT_TRUE(Sample(4000));
  const auto drawn = c->dialModel.needleRevision;
  ++ticks;
  EXPECT_FALSE(ShowTimeTimer(*c, Now()));
  EXPECT_EQ(c->dialModel.needleRevision, drawn);
}

TEST_F(DialCycleTest, ResetShowsTheCleanFaceWithTheNeedleAtZero) {
  LinkUp();
  ASSERT_TRUE(Sample(10000));
  ButtonStopClick(*c, io);
  const auto faces = c->dialModel.faceRevision;
  ButtonResetClick(*c);
  EXPECT_GT(c->dialModel.faceRevision, faces);
  EXPECT_EQ(c->dialModel.MainNO, "0");
  EXPECT_EQ(c->dialModel.angle, 0);
  EXPECT_EQ(c->dialModel.tip, (DialPoint{165, 15}));
  EXPECT_EQ(c->dial.DialRangeClass, "2");
  EXPECT_EQ(c->dial.NeedleAngle, 0.0);
  EXPECT_EQ(c->dialModel.face, DialFace::BP_2);
  EXPECT_EQ(c->dialModel.erase.front().y, 31);
}

TEST_F(DialCycleTest, ResetRightAfterStartUpUsesTheLocaleMark) {
  auto fresh = MakeCycle();
  FormCreate(*fresh, QLocale(QLocale::German));
  ASSERT_EQ(fresh->acq.DecimalMark, ",");
  ButtonResetClick(*fresh);
  EXPECT_EQ(fresh->dial.DialRangeClass, "2");
  EXPECT_EQ(fresh->dial.NeedleAngle, 0.0);
  EXPECT_EQ(fresh->dialModel.multiplier, "x1000");
  EXPECT_TRUE(fresh->dialModel.needleDrawn);
}

}  // namespace
