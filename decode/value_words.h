#pragma once
// The words a value text can show instead of a number, and what the views
// make of them. The chart, the dial and the LCD panel all read these rules
// here, so a word means the same thing in every view.
//
//   word (test)                         views place it at
//   "OL", "UL", "HI" (held anywhere)    full scale, with its sign
//   "Pass", "Open" (the whole text)     full scale, with its sign
//   "LO" (held anywhere)                zero
//   "Fail", "Short" (the whole text)    zero
//   "----" (held anywhere)              no full scale, no number
//   "Err", "Space", glyph strings       no number either
//
// A value's minus sign is a "-" that is not part of dashes: "-OL" is a
// negative overload, "----" has no sign. Tests are exact and case-sensitive.

#include <string_view>

namespace lcr {

enum class ValueScale {
  Number,     // none of the words below: read it as a number, if it is one
  FullScale,  // OL, UL, HI anywhere; exactly Pass or Open
  Zero,       // LO anywhere; exactly Fail or Short
};

// Where a view puts the value: full scale and zero win over the number.
ValueScale ScaleOf(std::string_view value);

// The value carries a minus sign: it holds "-" but not "--".
bool HasMinusSign(std::string_view value);

// The value shows dashes ("----" anywhere): no reading on that display.
bool ShowsDashes(std::string_view value);

// Whole-text words of family 730's readouts. None for anything else,
// including "OL", dashes and numbers.
enum class StateWord { None, Pass, Fail, Open, Short, Err };
StateWord StateWordOf(std::string_view value);

// Limit words of family 68's readouts, the first held of UL, HI, LO (in that
// order); None when the text holds none of them. "OL" is told by the
// overload position of DisplayCodes, not by the text.
enum class LimitWord { None, Under, High, Low };
LimitWord LimitWordOf(std::string_view value);

// One of the exact words the decoders write in place of a number: family
// 730's "Space", "----", "OL", "Err", "Pass", "Fail", "Open", "Short" and
// family 68's "OL", "UL", "LO", "HI" (without a sign).
bool IsValueWord(std::string_view value);

// Whether a view may read the text as a number at all: it holds no "O",
// "HI" or "--" and is no state word. (A number never holds these, and
// texts such as "0L" from a data file must not pass as one.)
bool MayBeNumber(std::string_view value);

}  // namespace lcr
