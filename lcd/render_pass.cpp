#include "lcd/render_pass.h"

#include <cstring>

namespace lcr::panel_detail {

RenderPass::RenderPass(PanelModel& panel)
    : panel_(panel), glyph_(panel.cellGlyph), barWidth_(panel.barWidth) {}

void RenderPass::Light(int segment) {
  if (segment >= 0 && segment < kSegmentCount) lit_[std::size_t(segment)] = true;
}

void RenderPass::Dark(int segment) {
  if (segment >= 0 && segment < kSegmentCount) lit_[std::size_t(segment)] = false;
}

bool RenderPass::IsLit(int segment) const {
  return segment >= 0 && segment < kSegmentCount && lit_[std::size_t(segment)];
}

void RenderPass::SetCell(int segment, int glyph) {
  if (segment < 0 || segment >= kSegmentCount) return;
  const PanelElement* e = panel_.element[std::size_t(segment)];
  if (e && IsDigitCell(*e))
    glyph_[std::size_t(segment)] = glyph;
}

void RenderPass::SetBarWidth(int width) { barWidth_ = width; }

void RenderPass::Commit() {
  PanelChanges& ch = panel_.changes;
  ch.visibility.clear();
  ch.cells.clear();
  for (std::size_t i = 0; i < lit_.size(); ++i) {
    if (panel_.visible[i] != lit_[i]) ch.visibility.push_back(int(i));
    if (panel_.cellGlyph[i] != glyph_[i]) ch.cells.push_back(int(i));
  }
  ch.barWidth = panel_.barWidth != barWidth_;
  panel_.visible = lit_;
  panel_.cellGlyph = glyph_;
  panel_.barWidth = barWidth_;
  ++panel_.renderRevision;
}

int MarkPosition(std::string_view text, std::string_view mark) {
  if (mark.empty()) return 0;
  const std::size_t at = text.find(mark);
  return at == std::string_view::npos ? 0 : int(at) + 1;
}

int DigitsAfterMark(std::string_view text, std::string_view mark) {
  const int p = MarkPosition(text, mark);
  return p == 0 ? -1 : int(text.size()) - p - int(mark.size()) + 1;
}

void RemoveFirstMark(std::string& text, std::string_view mark) {
  const int p = MarkPosition(text, mark);
  if (p != 0) text.erase(std::size_t(p - 1), mark.size());
}

int GlyphFor(char ch, int glyphCount) {
  if (ch >= '0' && ch <= '9') return ch - '0';
  if (ch == 'O') return 0;
  if (ch == 'S') return 5;
  if (ch == '\0') return kNoGlyph;
  const char* at = std::strchr(kGlyphAlphabet + 10, ch);
  const int g = at ? int(at - kGlyphAlphabet) : kNoGlyph;
  if (g != kNoGlyph && g < glyphCount) return g;
  if (ch == 'I') return 1;
  return kNoGlyph;
}

void PlaceRightAligned(RenderPass& pass, std::string_view chars, int firstCell, int lastCell,
                       int glyphCount) {
  const int cells = lastCell - firstCell + 1;
  if (int(chars.size()) > cells) chars.remove_prefix(chars.size() - std::size_t(cells));
  const int first = lastCell - int(chars.size()) + 1;
  for (std::size_t i = 0; i < chars.size(); ++i) {
    const int glyph = GlyphFor(chars[i], glyphCount);
    if (glyph == kNoGlyph) continue;
    pass.SetCell(first + int(i), glyph);
    pass.Light(first + int(i));
  }
}

}  // namespace lcr::panel_detail
