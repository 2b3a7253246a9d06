#pragma once
// The meter's display as state: which of the 251 segments is visible, which
// glyph each digit cell holds, and how wide the bar (segment 108) is. No
// widgets: the window's panel widgets cut pictures when the model was set up
// for a family and then apply what each render changed; lcrtool prints it.
//
// How a viewer follows the model:
//   - setupRevision moved: a ResetPanel happened. Empty every picture, then,
//     when geometry is not null, place and cut everything again from the
//     tables, and apply visible, cellGlyph and barWidth in full.
//   - renderRevision moved by exactly one since the last look (and
//     setupRevision did not): apply `changes` only.
//   - renderRevision moved by more: apply visible, cellGlyph and barWidth in full.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "decode/reading.h"
#include "lcd/panel_geometry.h"
#include "lcd/segments_730.h"

namespace lcr {

inline constexpr int kNoGlyph = -1;  // a digit cell without a picture
inline constexpr int kBarFullWidth = 325;
// Bar widths are kept within this bound, so that a value far beyond its range
// cannot overflow a widget size.
inline constexpr int kBarWidthLimit = 32767;

// What one render changed, for viewers that update only that.
struct PanelChanges {
  std::vector<int> visibility;  // segments whose visibility flipped
  std::vector<int> cells;       // digit cells that now hold another glyph
  bool barWidth = false;        // segment 108 took another width
};

struct PanelModel {
  // The family the panel is set up for: 730, 68, or 0 when ResetPanel got any
  // other tag (the panel then shows only its backdrop).
  int family = 0;
  const PanelGeometry* geometry = nullptr;  // null while family is 0
  // The table entry of every segment; null for an empty segment (no picture).
  std::array<const PanelElement*, kSegmentCount> element{};
  std::array<bool, kSegmentCount> visible{};
  // The glyph each digit cell holds, kept while the cell is dark: a primary
  // glyph holder for MainCell segments, a secondary one for SubCell segments;
  // kNoGlyph for a cell without picture and for every other segment.
  std::array<int, kSegmentCount> cellGlyph{};
  int barWidth = 0;  // segment 108 (family 730); below 1 shows no bar

  std::uint64_t setupRevision = 0;   // bumped by every ResetPanel and InitPanel*
  std::uint64_t renderRevision = 0;  // bumped by every render of the panel's family
  PanelChanges changes;              // what the last render changed

  PanelModel() { cellGlyph.fill(kNoGlyph); }
};

// The texts and shared state a render reads.
struct PanelInput {
  const Reading& reading;
  std::string_view decimalMark;
  std::span<const std::uint8_t> panelFlags;  // family 68's bar graph (101 entries)
};

// Zero-fills the receive buffer and sets the panel up for a model tag:
// InitPanel730 for 730, InitPanel68 for 68, an empty panel for any other tag.
void ResetPanel(PanelModel& panel, std::span<std::uint8_t> receiveBuffer, int tag);
void InitPanel730(PanelModel& panel);
void InitPanel68(PanelModel& panel);

// Paints one Reading: RenderPanel730 for tag 730, RenderPanel68 for 68; any
// other tag, or a tag the panel is not set up for, changes nothing.
void RenderPanel(PanelModel& panel, const PanelInput& in, int tag);
void RenderPanel730(PanelModel& panel, const PanelInput& in);
void RenderPanel68(PanelModel& panel, const PanelInput& in);

// Whether a viewer shows the segment: it is visible, and family 730's bar is
// at least a pixel wide (a narrower bar is no bar).
bool SegmentShown(const PanelModel& panel, int segment);

// The visible segments, rising; and the visible digit cells with their glyphs.
std::vector<int> LitSegments(const PanelModel& panel);
struct LitCell {
  int segment;
  int glyph;
};
std::vector<LitCell> LitCells(const PanelModel& panel);

}  // namespace lcr
