#pragma once
// What both families' renders share: a pass that collects the new visibility
// vector and cell glyphs and then commits them to the model with the list of
// changes, and small readers of the Reading's texts.

#include <array>
#include <string>
#include <string_view>

#include "common/text_and_numbers.h"
#include "decode/display_codes.h"
#include "lcd/panel_model.h"

namespace lcr::panel_detail {

class RenderPass {
 public:
  explicit RenderPass(PanelModel& panel);

  void Light(int segment);
  void Dark(int segment);
  bool IsLit(int segment) const;
  // cell <- glyph g; only digit cells take glyphs, anything else is ignored.
  void SetCell(int segment, int glyph);
  void SetBarWidth(int width);
  // Writes the pass into the model, noting what changed.
  void Commit();

 private:
  PanelModel& panel_;
  std::array<bool, kSegmentCount> lit_{};
  std::array<int, kSegmentCount> glyph_;
  int barWidth_;
};

// A display's two-digit state is "00": its value is a number.
inline bool NumericState(std::string_view codes, int position) {
  return TwoDigitCodeAt(codes, position) == "00";
}

// 1-based position of the first decimal mark, 0 when there is none.
int MarkPosition(std::string_view text, std::string_view mark);
// Digits after the first decimal mark (length - position), -1 without a mark.
int DigitsAfterMark(std::string_view text, std::string_view mark);
// Removes the first decimal mark, if any.
void RemoveFirstMark(std::string& text, std::string_view mark);

// The glyph that draws a character on a display with `glyphCount` glyphs:
// digits, the letters of the alphabet the family has, O as 0, S as 5 and,
// where there is no I glyph, I as 1. kNoGlyph for anything else.
int GlyphFor(char ch, int glyphCount);

// Puts the characters into the cells firstCell..lastCell right-aligned, the
// last character in lastCell, and lights them. Characters that find no cell
// on the left are not drawn; a character without a glyph changes nothing in
// its cell.
void PlaceRightAligned(RenderPass& pass, std::string_view chars, int firstCell, int lastCell,
                       int glyphCount);

}  // namespace lcr::panel_detail
