#include "lcd/panel_model.h"

#include <algorithm>

namespace lcr {

namespace {

// Places every segment from the family's table, hidden, and forgets the
// glyphs and bar of the previous set-up; viewers see it by setupRevision.
void SetUp(PanelModel& panel, const PanelGeometry* geometry) {
  panel.geometry = geometry;
  panel.family = geometry ? geometry->family : 0;
  panel.element.fill(nullptr);
  panel.visible.fill(false);
  panel.cellGlyph.fill(kNoGlyph);
  panel.barWidth = 0;
  panel.changes = {};
  ++panel.setupRevision;
  if (geometry)
    for (const PanelElement& e : geometry->elements) panel.element[std::size_t(e.segment)] = &e;
}

}  // namespace

void InitPanel730(PanelModel& panel) {
  SetUp(panel, &PanelGeometry730());
  // The cells start out holding the glyph of 8; the bar its full length.
  constexpr int kGlyph8 = 8;
  for (const PanelElement& e : panel.geometry->elements) {
    if (IsDigitCell(e))
      panel.cellGlyph[std::size_t(e.segment)] = kGlyph8;
    if (e.segment == seg730::kBar) panel.barWidth = e.w;
  }
}

// Family 68's cells get no picture until a value is shown in them.
void InitPanel68(PanelModel& panel) { SetUp(panel, &PanelGeometry68()); }

void ResetPanel(PanelModel& panel, std::span<std::uint8_t> receiveBuffer, int tag) {
  std::fill(receiveBuffer.begin(), receiveBuffer.end(), std::uint8_t{0});
  if (tag == kFamily730) InitPanel730(panel);
  else if (tag == kFamily68) InitPanel68(panel);
  else SetUp(panel, nullptr);
}

void RenderPanel(PanelModel& panel, const PanelInput& in, int tag) {
  if (tag == kFamily730) RenderPanel730(panel, in);
  else if (tag == kFamily68) RenderPanel68(panel, in);
}

bool SegmentShown(const PanelModel& panel, int segment) {
  if (!panel.visible[std::size_t(segment)]) return false;
  return !(segment == seg730::kBar && panel.family == kFamily730 && panel.barWidth < 1);
}

std::vector<int> LitSegments(const PanelModel& panel) {
  std::vector<int> lit;
  for (int i = 0; i < kSegmentCount; ++i)
    if (panel.visible[std::size_t(i)]) lit.push_back(i);
  return lit;
}

std::vector<LitCell> LitCells(const PanelModel& panel) {
  std::vector<LitCell> cells;
  for (int i = 0; i < kSegmentCount; ++i)
    if (panel.visible[std::size_t(i)] && panel.cellGlyph[std::size_t(i)] != kNoGlyph)
      cells.push_back({i, panel.cellGlyph[std::size_t(i)]});
  return cells;
}

}  // namespace lcr
