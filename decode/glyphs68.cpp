#include "decode/glyphs68.h"

#include <array>

namespace lcr {
namespace {

struct GlyphEntry {
  std::uint8_t pattern;
  char character;
};

// Primary segments: bit 0 top, 1 upper left, 2 upper right, 3 middle,
// 4 lower left, 5 lower right, 6 bottom.
constexpr GlyphEntry kMainGlyphs[] = {
    {0x00, 'N'}, {0x24, '1'}, {0x25, '7'}, {0x2E, '4'}, {0x3E, 'H'}, {0x52, 'L'}, {0x5D, '2'},
    {0x6B, '5'}, {0x6D, '3'}, {0x6F, '9'}, {0x76, 'U'}, {0x77, '0'}, {0x7B, '6'}, {0x7F, '8'},
};

// Secondary segments: bit 7 top, 6 upper left, 5 upper right, 4 middle,
// 3 lower left, 2 lower right, 1 bottom.
constexpr GlyphEntry kSubGlyphs[] = {
    {0x00, 'N'}, {0x10, '-'}, {0x24, '1'}, {0x4A, 'L'}, {0x6E, 'U'},
    {0x74, '4'}, {0x7C, 'H'}, {0xA4, '7'}, {0xB6, '3'}, {0xBA, '2'},
    {0xD6, '5'}, {0xDE, '6'}, {0xEE, '0'}, {0xF6, '9'}, {0xFE, '8'},
};

// Both tables indexed by the seven segment bits moved down to 0-127.
template <std::size_t N>
constexpr std::array<char, 128> BuildLookup(const GlyphEntry (&entries)[N], int shift) {
  std::array<char, 128> lookup{};
  for (char& c : lookup) c = 'E';
  for (const GlyphEntry& e : entries) lookup[e.pattern >> shift] = e.character;
  return lookup;
}

constexpr std::array<char, 128> kMainLookup = BuildLookup(kMainGlyphs, 0);
constexpr std::array<char, 128> kSubLookup = BuildLookup(kSubGlyphs, 1);

}  // namespace

char MainGlyph(std::uint8_t byte) { return kMainLookup[byte & 0x7F]; }

char SubGlyph(std::uint8_t byte) { return kSubLookup[byte >> 1]; }

}  // namespace lcr
