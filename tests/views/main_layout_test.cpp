// Where the main window's big controls go for a given window size.
#include <gtest/gtest.h>

#include "views/main_layout.h"

using namespace lcr;

namespace {

TEST(MainLayoutTest, DesignedWindowFillsTheSpaceAboveThePanel) {
  // Client area of the designed window: the status bar begins at 650.
  const MainLayout l = ArrangeLayout(DesignLayout(), 650, 990);
  EXPECT_EQ(l.panel1, (LayoutRect{0, 496, 990, 154}));
  EXPECT_EQ(l.chart1, (LayoutRect{0, 0, 603, 480}));
  EXPECT_EQ(l.scrollBar1, (LayoutRect{0, 479, 603, 17}));
  EXPECT_EQ(l.stringGrid1, (LayoutRect{604, 0, 361, 495}));
  EXPECT_EQ(l.scrollBar2, (LayoutRect{964, 0, 17, 495}));
}

TEST(MainLayoutTest, GridAndItsScrollBarKeepToTheRightEdgeWhenTheWindowGrows) {
  const MainLayout l = ArrangeLayout(DesignLayout(), 800, 1400);
  EXPECT_EQ(l.scrollBar2.left, 1374);
  EXPECT_EQ(l.stringGrid1.left, 1014);
  EXPECT_EQ(l.stringGrid1.width, 361);
  EXPECT_EQ(l.chart1.width, 1013);
  EXPECT_EQ(l.scrollBar1.width, 1013);
  EXPECT_EQ(l.panel1.top, 646);
  EXPECT_EQ(l.panel1.top + l.panel1.height, 800);
  EXPECT_EQ(l.chart1.height, 630);
  EXPECT_EQ(l.scrollBar1.top, 629);
  EXPECT_EQ(l.stringGrid1.height, 645);
  EXPECT_EQ(l.scrollBar2.height, 645);
  // Nothing of the layout moves the top-left corner of the chart or the grid's top.
  EXPECT_EQ(l.chart1.left, 0);
  EXPECT_EQ(l.chart1.top, 0);
  EXPECT_EQ(l.stringGrid1.top, 0);
}

TEST(MainLayoutTest, ArrangingTwiceGivesTheSameLayout) {
  const MainLayout once = ArrangeLayout(DesignLayout(), 640, 990);
  const MainLayout twice = ArrangeLayout(once, 640, 990);
  EXPECT_EQ(once.panel1, twice.panel1);
  EXPECT_EQ(once.chart1, twice.chart1);
  EXPECT_EQ(once.scrollBar1, twice.scrollBar1);
  EXPECT_EQ(once.stringGrid1, twice.stringGrid1);
  EXPECT_EQ(once.scrollBar2, twice.scrollBar2);
}

TEST(MainLayoutTest, ADialogKeepsItsPlaceUnlessThatLeavesTheArea) {
  const LayoutRect area{100, 30, 1180, 970};  // a screen beside another, less a panel on top
  for (int left = -2000; left <= 3000; left += 37) {
    for (int top = -1500; top <= 2500; top += 41) {
      const LayoutRect wanted{left, top, 520, 290};
      const LayoutRect r = KeepInside(wanted, area);
      ASSERT_EQ(r.width, 520);
      ASSERT_EQ(r.height, 290);
      ASSERT_TRUE(r.left >= 100 && r.left + 520 <= 1280 && r.top >= 30 && r.top + 290 <= 1000);
      const bool inside = left >= 100 && left + 520 <= 1280 && top >= 30 && top + 290 <= 1000;
      if (inside) {
        ASSERT_EQ(r, wanted);
      }
    }
  }
  // Larger than the area: the top-left corner stays visible.
  EXPECT_EQ(KeepInside({500, 400, 800, 600}, {0, 0, 640, 480}), (LayoutRect{0, 0, 800, 600}));
}

}  // namespace
