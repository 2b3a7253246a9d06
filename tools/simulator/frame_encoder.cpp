#include "simulator/frame_encoder.h"

#include <algorithm>

#include <cctype>

namespace lcr::sim {

namespace {

// A value text taken apart: its digits without the mark, how many of them
// stand after the mark, and the sign.
struct ParsedNumber {
  std::string digits;
  int integerDigits = 0;
  int decimals = 0;
  bool hasMark = false;
  bool negative = false;
};

std::optional<ParsedNumber> ParseNumber(std::string_view text) {
  ParsedNumber n;
  std::size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    n.negative = true;
    ++i;
  }
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '.' || c == ',') {
      if (n.hasMark) return std::nullopt;
      n.hasMark = true;
    } else if (std::isdigit(static_cast<unsigned char>(c))) {
      n.digits.push_back(c);
      if (n.hasMark) {
        ++n.decimals;
      } else {
        ++n.integerDigits;
      }
    } else {
      return std::nullopt;
    }
  }
  if (n.integerDigits == 0) return std::nullopt;
  if (n.hasMark && n.decimals == 0) return std::nullopt;
  return n;
}

// The decoders never show a number like "05.1" or "007" in a 730 display:
// leading zeros stand only in front of the mark's single integer digit.
bool HasCanonicalIntegerPart(const ParsedNumber& n) {
  return n.integerDigits == 1 || n.digits[0] != '0';
}

std::optional<Display730> NumberDisplay730(std::string_view text, int function,
                                           bool dropsDigit) {
  const std::optional<ParsedNumber> n = ParseNumber(text);
  if (!n || !HasCanonicalIntegerPart(*n)) return std::nullopt;
  // At most six characters survive after the mark; the sent places are one
  // more when a digit is dropped, and the field holds 0-7.
  if (n->decimals > 6) return std::nullopt;
  if (n->digits.size() > 6) return std::nullopt;
  long magnitude = std::stol(n->digits);
  int decimals = n->decimals;
  if (dropsDigit) {
    magnitude *= 10;  // the digit the display drops
    decimals += 1;
  }
  if (n->negative) {
    // A negative reading is sent as two's complement; there is no -0.
    if (magnitude == 0 || magnitude > 32768) return std::nullopt;
  } else if (magnitude > 32767) {
    return std::nullopt;
  }
  Display730 d;
  d.value = n->negative ? -static_cast<int>(magnitude) : static_cast<int>(magnitude);
  d.function = function;
  d.decimals = decimals;
  d.state = state730::kNumber;
  d.reduced = dropsDigit;
  return d;
}

void PutReading730(Frame730& f, int high, const Display730& d) {
  const auto raw = static_cast<std::uint16_t>(d.value);
  f[high] = static_cast<std::uint8_t>(raw >> 8);
  f[high + 1] = static_cast<std::uint8_t>(raw & 0xFF);
  f[high + 2] =
      static_cast<std::uint8_t>(((d.function & 0x0F) << 3) | (d.decimals & 0x07));
  f[high + 3] = static_cast<std::uint8_t>((d.reduced ? 0x80 : 0) | (d.overload ? 0x40 : 0) |
                                          (d.dashes ? 0x20 : 0) | (d.state & 0x1F));
}

// Segment patterns of the two family 68 displays. The primary keeps its
// segments in bits 6-0, the secondary in bits 7-1.
std::uint8_t MainPattern(char c) {
  switch (c) {
    case 'N': case ' ': return 0x00;
    case '1': case 'I': return 0x24;
    case '7': return 0x25;
    case '4': return 0x2E;
    case 'H': return 0x3E;
    case 'L': return 0x52;
    case '2': return 0x5D;
    case '5': case 'S': return 0x6B;
    case '3': return 0x6D;
    case '9': return 0x6F;
    case 'U': return 0x76;
    case '0': case 'O': return 0x77;
    case '6': return 0x7B;
    case '8': return 0x7F;
    default: return 0x5B;  // an "E" shape, which the primary cannot read
  }
}

std::uint8_t SubPattern(char c) {
  switch (c) {
    case 'N': case ' ': return 0x00;
    case '-': return 0x10;
    case '1': case 'I': return 0x24;
    case 'L': return 0x4A;
    case 'U': return 0x6E;
    case '4': return 0x74;
    case 'H': return 0x7C;
    case '7': return 0xA4;
    case '3': return 0xB6;
    case '2': return 0xBA;
    case '5': case 'S': return 0xD6;
    case '6': return 0xDE;
    case '0': case 'O': return 0xEE;
    case '9': return 0xF6;
    case '8': return 0xFE;
    default: return 0xDA;  // an "E" shape, which the secondary cannot read
  }
}

// The five cells, leftmost first, with `glyphs` right-aligned in them.
std::string Cells(const std::string& glyphs) {
  if (glyphs.size() >= 5) return glyphs.substr(glyphs.size() - 5);
  return std::string(5 - glyphs.size(), 'N') + glyphs;
}

}  // namespace

Frame730 EncodeFrame730(const Frame730Spec& spec) {
  Frame730 f{};
  f[0] = 0x00;
  f[1] = 0x0D;
  f[2] = spec.annunciators;
  f[3] = static_cast<std::uint8_t>(((spec.frequency & 0x07) << 5) | ((spec.battery & 0x03) << 2));
  f[4] = static_cast<std::uint8_t>(spec.toleranceNibble & 0x0F);
  f[5] = static_cast<std::uint8_t>(spec.parameter & 0x07);
  PutReading730(f, 6, spec.primary);
  f[10] = static_cast<std::uint8_t>(spec.secondaryCode & 0x07);
  PutReading730(f, 11, spec.secondary);
  f[15] = 0x0D;
  f[16] = 0x0A;
  return f;
}

std::optional<Display730> PrimaryValue730(std::string_view text, int function, bool reduced) {
  return NumberDisplay730(text, function, reduced);
}

std::optional<Display730> SecondaryValue730(std::string_view text, int function,
                                            int secondaryCode) {
  const bool keepsDigits = secondaryCode == second730::kAngle || function == fn730::kPercent;
  return NumberDisplay730(text, function, !keepsDigits);
}

Display730 Word730(int state, int function, bool negative) {
  Display730 d;
  d.value = negative ? -1 : 0;
  d.function = function;
  d.state = state;
  d.overload = state == state730::kOverload;
  d.dashes = state == state730::kDashes;
  return d;
}

std::array<std::uint8_t, 6> BarGraph68(int ticks, bool minus) {
  std::array<std::uint8_t, 6> bytes{};
  const auto light = [&bytes](int flag) {
    const int pair = flag / 16, bit = flag % 16;
    if (bit < 8)
      bytes[std::size_t(2 * pair)] |= std::uint8_t(1u << bit);
    else
      bytes[std::size_t(2 * pair + 1)] |= std::uint8_t(0x80u >> (bit - 8));
  };
  if (minus) light(0);
  for (int tick = 1; tick <= std::clamp(ticks, 0, 45); ++tick) light(tick);
  return bytes;
}

Frame68 EncodeFrame68(const Frame68Spec& spec) {
  Frame68 f{};
  f[0] = 0xAA;
  f[1] = 0x55;
  f[2] = 0x00;
  f[3] = 0x37;
  const std::string main = Cells(spec.primary.glyphs);
  const std::string sub = Cells(spec.secondary.glyphs);
  for (int c = 0; c < 5; ++c) {
    f[11 - c] = MainPattern(main[c]) & 0x7F;
    f[26 - c] = SubPattern(sub[c]) & 0xFE;
  }
  // The point sits to the left of the cell it is sent with.
  if (spec.primary.point >= 1 && spec.primary.point <= 4) f[11 - spec.primary.point] |= 0x80;
  if (spec.primary.minus) f[11] |= 0x80;
  if (spec.secondary.point >= 1 && spec.secondary.point <= 4) {
    f[26 - spec.secondary.point] |= 0x01;
  }
  if (spec.secondary.minus) f[26] |= 0x01;
  f[12] = spec.marks[12];
  for (int i = 0; i < 6; ++i) f[13 + i] = spec.segments[i];
  f[19] = spec.marks[19];
  f[20] = spec.marks[20];
  f[21] = spec.marks[21];
  f[27] = spec.marks[27];
  f[28] = static_cast<std::uint8_t>(spec.linkMark ? (spec.marks[28] | 0x08)
                                                  : (spec.marks[28] & ~0x08));
  f[29] = 0xBB;
  f[30] = 0x66;
  return f;
}

std::optional<Display68> Value68(std::string_view text) {
  const std::optional<ParsedNumber> n = ParseNumber(text);
  if (!n || n->digits.size() > 5) return std::nullopt;
  Display68 d;
  d.minus = n->negative;
  d.glyphs = n->digits;
  if (n->hasMark) {
    // The display trims zeros in front of the mark, so only a canonical
    // integer part comes back as written.
    if (!HasCanonicalIntegerPart(*n)) return std::nullopt;
    d.point = static_cast<int>(5 - n->digits.size()) + n->integerDigits;
    if (d.point < 1 || d.point > 4) return std::nullopt;
  }
  return d;
}

Display68 Word68(std::string_view word, bool minus) {
  Display68 d;
  d.minus = minus;
  if (word == "OL") {
    d.glyphs = "0LN";
  } else if (word == "UL") {
    d.glyphs = "ULN";
  } else if (word == "LO") {
    d.glyphs = "L0N";
  } else if (word == "HI") {
    d.glyphs = "H1N";
  } else {
    d.glyphs = std::string(word);
  }
  return d;
}

}  // namespace lcr::sim
