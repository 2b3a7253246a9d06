// The dial widgets show what the dial model decided: the face, the red
// needle from tip to foot, the old needle erased, and the read-outs.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "app/dial_widgets.h"
#include "window_fixture.h"

using namespace lcr;
using lcrtest::WindowFixture;

namespace {

bool IsNeedleRed(QRgb c) { return qRed(c) > 200 && qGreen(c) < 90 && qBlue(c) < 90; }

struct DialWindowTest : WindowFixture {
  // What bpmain paints, checked against the picture the widgets keep.
  QImage Shown() {
    const QImage painted = form->dialHandles().bpmain->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_EQ(painted, form->dial().dialPicture());
    return painted;
  }
  const DialModel& model() { return form->cycle().dialModel; }

  // Pixels of the shown dial that differ from the clean face.
  std::vector<QPoint> Changed() {
    const QImage shown = Shown();
    const QImage face = DialWidgets::FacePicture(model().face);
    std::vector<QPoint> out;
    for (int y = 0; y < shown.height(); ++y)
      for (int x = 0; x < shown.width(); ++x)
        if (shown.pixel(x, y) != face.pixel(x, y)) out.push_back({x, y});
    return out;
  }

  // Every changed pixel lies on the current needle's line: a 2-pixel pen,
  // smoothed, reaches at most 3.5 pixels across at the steepest angle.
  void ExpectOnlyTheNeedle() {
    const DialPoint t = model().tip, f = model().foot;
    const std::vector<QPoint> changed = Changed();
    ASSERT_FALSE(changed.empty());
    for (const QPoint& p : changed) {
      ASSERT_GE(p.y(), t.y);
      ASSERT_LE(p.y(), kNeedleFootRow);
      const double along = double(p.y() - t.y) / (f.y - t.y);
      ASSERT_NEAR(p.x(), t.x + along * (f.x - t.x), 3.5) << p.x() << "," << p.y();
    }
  }
};

TEST_F(DialWindowTest, StartsWithTheFirstFaceOnBothPictures) {
  const QImage face = DialWidgets::FacePicture(DialFace::BP_2);
  ASSERT_EQ(face.size(), QSize(kDialImageWidth, kDialImageHeight));
  EXPECT_EQ(Shown(), face);
  EXPECT_EQ(form->dialHandles().bpback->pixmap().toImage().convertToFormat(QImage::Format_RGB32), face);
  EXPECT_TRUE(Changed().empty());
  // The three faces are three different pictures.
  EXPECT_NE(face, DialWidgets::FacePicture(DialFace::BP_10));
  EXPECT_NE(face, DialWidgets::FacePicture(DialFace::BP_125));
  EXPECT_NE(DialWidgets::FacePicture(DialFace::BP_10), DialWidgets::FacePicture(DialFace::BP_125));
}

TEST_F(DialWindowTest, SampleDrawsTheRedNeedleFromTipToFoot) {
  StartAndLink();
  while (form->cycle().table.RecordCount == 0) Sample(10000);
  ASSERT_EQ(model().tip, (DialPoint{244, 31}));
  const QImage shown = Shown();
  // Along the line, between tip and foot, the needle is red.
  for (double t : {0.05, 0.3, 0.6, 0.95}) {
    const int y = int(31 + t * (145 - 31));
    const int x = int(std::lround(244 + t * (195 - 244)));
    bool red = false;
    for (int dx = -1; dx <= 1; ++dx) red = red || IsNeedleRed(shown.pixel(x + dx, y));
    EXPECT_TRUE(red) << x << "," << y;
  }
  // Elsewhere the face shows: the zero tick at the top stays as drawn.
  ExpectOnlyTheNeedle();
  EXPECT_EQ(form->dialHandles().MainNO->text(), "10000");
  EXPECT_EQ(form->dialHandles().MTEXT->text(), "x1000");
  EXPECT_EQ(form->dialHandles().MTEXTN->text(), "x1000");
  EXPECT_FALSE(form->dialHandles().MTEXT->isVisible());
}

TEST_F(DialWindowTest, TheOldNeedleIsErasedWhenTheNeedleMoves) {
  StartAndLink();
  while (form->cycle().table.RecordCount == 0) Sample(20000);
  for (int v : {-20000 & 0xFFFF, 3000, 15000, 0, 20000, 10000}) {
    Sample(v);
    ExpectOnlyTheNeedle();
  }
}

TEST_F(DialWindowTest, ResetBringsTheCleanFaceAndTheNeedleAtZero) {
  StartAndLink();
  while (form->cycle().table.RecordCount == 0) Sample(15000);
  form->Button_Stop->click();
  ResetDiscarding();
  EXPECT_EQ(model().tip, (DialPoint{165, 15}));
  ExpectOnlyTheNeedle();
  EXPECT_EQ(form->dialHandles().MainNO->text(), "0");
  // The needle at zero stands on the zero tick.
  EXPECT_TRUE(IsNeedleRed(Shown().pixel(165, 80)));
}

TEST_F(DialWindowTest, AFaceChangeSwapsThePictureAndDropsTheNeedle) {
  Cycle& c = form->cycle();
  UpdateDial(c.dial, c.dialModel, "10", "20.000", ".");
  form->ApplyModel();
  UpdateDial(c.dial, c.dialModel, "5", "9.999", ".");
  form->ApplyModel();
  EXPECT_EQ(model().face, DialFace::BP_10);
  EXPECT_EQ(form->dial().cleanFace(), DialWidgets::FacePicture(DialFace::BP_10));
  ExpectOnlyTheNeedle();
  // Two updates between redraws: the needle drawn last is the one erased.
  UpdateDial(c.dial, c.dialModel, "-9", "9.999", ".");
  UpdateDial(c.dial, c.dialModel, "2", "9.999", ".");
  form->ApplyModel();
  ExpectOnlyTheNeedle();
  UpdateDial(c.dial, c.dialModel, "100", "125.0", ".");
  form->ApplyModel();
  EXPECT_EQ(form->dial().cleanFace(), DialWidgets::FacePicture(DialFace::BP_125));
  ExpectOnlyTheNeedle();
}

}  // namespace
