#pragma once
// Where the main window's big controls go: the chart and grid fill the space
// above the bottom panel, the grid and its scroll bar keep to the right edge.
// Recomputed whenever the window's size changes, so the controls follow it.

namespace lcr {

struct LayoutRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;

  friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

struct MainLayout {
  LayoutRect panel1;
  LayoutRect chart1;
  LayoutRect scrollBar1;
  LayoutRect stringGrid1;
  LayoutRect scrollBar2;
};

// The window as designed (990 wide); ArrangeLayout starts from it.
MainLayout DesignLayout();

// A window of `wanted`'s size at `wanted`'s place, moved as little as needed
// to lie inside `area` (its top-left corner stays inside when it is larger).
LayoutRect KeepInside(const LayoutRect& wanted, const LayoutRect& area);

// Moves the controls of `design` for a status bar whose top edge is at
// `statusBarTop` (in client coordinates) and a window `windowWidth` wide.
// The bottom panel reaches down to the status bar.
MainLayout ArrangeLayout(const MainLayout& design, int statusBarTop, int windowWidth);

}  // namespace lcr
