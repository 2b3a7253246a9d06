#pragma once
// The unit at the end of a main caption: one blank, then the prefix (or a
// blank when there is none) and the unit, in the caption's own GBK.

#include <string_view>

namespace lcr {

// The prefix and unit as the caption holds them ("nF", "K\xA6\xB8", "V");
// empty when the caption ends with its blank, or with its range: a display
// without a unit (D, Q) ends a trimmed caption with the range ("D 2.000").
inline std::string_view CaptionUnit(std::string_view caption) {
  while (!caption.empty() && static_cast<unsigned char>(caption.back()) < ' ') caption.remove_suffix(1);
  const std::size_t blank = caption.rfind(' ');
  if (blank == std::string_view::npos) return {};
  const std::string_view unit = caption.substr(blank + 1);
  const bool range = !unit.empty() && ((unit[0] >= '0' && unit[0] <= '9') || unit[0] == '.' || unit[0] == ',');
  return range ? std::string_view{} : unit;
}

// The power of ten of a prefix letter; 0 for anything else (no prefix).
inline int PrefixExponent(char prefix) {
  switch (prefix) {
    case 'p': return -12;
    case 'n': return -9;
    case 'u': return -6;
    case 'm': return -3;
    case 'K':
    case 'k': return 3;
    case 'M': return 6;
    default: return 0;
  }
}

// The caption's power of ten: its unit's prefix letter, if the unit has one.
inline int CaptionExponent(std::string_view caption) {
  const std::string_view unit = CaptionUnit(caption);
  return unit.size() >= 2 ? PrefixExponent(unit[0]) : 0;
}

// The base unit: the caption's unit without its prefix letter.
inline std::string_view CaptionBaseUnit(std::string_view caption) {
  const std::string_view unit = CaptionUnit(caption);
  return unit.size() >= 2 && PrefixExponent(unit[0]) != 0 ? unit.substr(1) : unit;
}

}  // namespace lcr
