#include "views/main_layout.h"

#include <algorithm>

namespace lcr {

namespace {
constexpr int kPanelHeight = 154;
constexpr int kScrollBarThickness = 17;
constexpr int kGridWidth = 361;
}  // namespace

MainLayout DesignLayout() {
  MainLayout d;
  d.panel1 = {0, 496, 990, kPanelHeight};
  d.chart1 = {0, 0, 603, 480};
  d.scrollBar1 = {0, 479, 603, kScrollBarThickness};
  d.stringGrid1 = {604, 0, kGridWidth, 450};
  d.scrollBar2 = {964, 0, kScrollBarThickness, 495};
  return d;
}

LayoutRect KeepInside(const LayoutRect& wanted, const LayoutRect& area) {
  LayoutRect r = wanted;
  r.left = std::max(std::min(r.left, area.left + area.width - r.width), area.left);
  r.top = std::max(std::min(r.top, area.top + area.height - r.height), area.top);
  return r;
}

MainLayout ArrangeLayout(const MainLayout& design, int statusBarTop, int windowWidth) {
  MainLayout l = design;
  l.panel1.top = statusBarTop - kPanelHeight;
  l.panel1.width = windowWidth;
  l.panel1.height = statusBarTop - l.panel1.top;
  l.chart1.height = l.panel1.top - 16;
  l.stringGrid1.height = l.panel1.top - 1;
  l.scrollBar2.left = windowWidth - 26;
  l.stringGrid1.left = l.scrollBar2.left - 360;
  l.chart1.width = l.stringGrid1.left - 1;
  l.scrollBar2.height = l.stringGrid1.height;
  l.scrollBar1.top = l.panel1.top - 17;
  l.scrollBar1.width = l.chart1.width;
  l.stringGrid1.width = kGridWidth;
  return l;
}

}  // namespace lcr
