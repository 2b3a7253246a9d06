#pragma once
// Shows the panel model on the display's image widgets. The model decides
// which segment is lit and which glyph each digit cell holds; this cuts the
// pictures when the model was set up for a family and afterwards only
// assigns digit pictures, sizes the bar and flips the visibilities that
// changed.

#include <QColor>
#include <QImage>
#include <array>
#include <cstdint>

#include "app/widget_handles.h"
#include "lcd/panel_model.h"

namespace lcr {

class PanelWidgets {
 public:
  // `w` is the window's set and outlives this.
  explicit PanelWidgets(const PanelHandles& w);

  // Follows the model: a new set-up re-cuts every picture, a render applies
  // what it changed (or everything, when renders were missed).
  void follow(const PanelModel& m);

 private:
  void setUp(const PanelModel& m);
  void placeSegments(const PanelGeometry& g);
  void cutGlyphs(const PanelGeometry& g);
  void cutSegments(const PanelGeometry& g);
  void showAll(const PanelModel& m);
  void showChanges(const PanelModel& m);
  void showCell(const PanelModel& m, int segment);
  void showVisibility(const PanelModel& m, int segment);
  void showBar(const PanelModel& m);

  const PanelHandles& w_;
  std::uint64_t setupShown_ = ~0ull;
  std::uint64_t renderShown_ = ~0ull;
  std::array<int, kSegmentCount> cellShown_{};  // glyph each cell shows, kNoGlyph for none
  int barShown_ = -1;
};

}  // namespace lcr
