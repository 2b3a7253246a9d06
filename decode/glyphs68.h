#pragma once
// Seven-segment glyph tables of the family 68 displays.

#include <cstdint>

namespace lcr {

// Character shown by a primary digit byte (bits 6-0 are the segments; bit 7,
// the point or sign, is ignored). 'N' is a blank digit, 'E' an unknown pattern.
char MainGlyph(std::uint8_t byte);

// Character shown by a secondary digit byte (bits 7-1 are the segments; bit 0,
// the point or sign, is ignored). 'N' is a blank digit, 'E' an unknown pattern.
char SubGlyph(std::uint8_t byte);

}  // namespace lcr
