#pragma once
// Small in-place text edits used while building decoded fields. They work on
// the caller's strings so that reused Reading fields keep their buffers.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/text_and_numbers.h"  // Contains
#include "decode/display_codes.h"    // SetPosition, SetFlagIf

namespace lcr::decodetext {

inline bool IsBitSet(unsigned byte, int bit) { return ((byte >> bit) & 1u) != 0; }

inline void PadRightWithSpaces(std::string& text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
}

inline void PadLeftWithSpaces(std::string& text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
}

// Inserts the mark after the first `count` characters (at the end when the
// text is shorter).
inline void InsertMarkAfter(std::string& text, std::size_t count, std::string_view mark) {
  text.insert(count < text.size() ? count : text.size(), mark);
}

// Inserts the mark before the last `count` characters (in front of the whole
// text when it has no more than `count`).
inline void InsertMarkBeforeLast(std::string& text, std::size_t count, std::string_view mark) {
  text.insert(count < text.size() ? text.size() - count : 0, mark);
}

inline void AppendDecimal(std::string& text, unsigned value) {
  char digits[10];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  while (n > 0) text.push_back(digits[--n]);
}

// label + prefix + unit, label padded to 3 and prefix to 1 character.
inline void BuildFunctionText(std::string& out, std::string_view label, std::string_view prefix,
                              std::string_view unit) {
  out.assign(label);
  PadRightWithSpaces(out, 3);
  out.append(prefix);
  if (prefix.empty()) out.push_back(' ');
  out.append(unit);
}

}  // namespace lcr::decodetext
