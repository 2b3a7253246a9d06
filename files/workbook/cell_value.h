#pragma once
// What a text typed into a cell becomes: a number, a time of day, or text.

#include <string>
#include <string_view>

namespace lcr {

struct CellValue {
  enum class Kind : unsigned char { Blank, Number, Time, Text };
  Kind kind = Kind::Blank;
  double number = 0;  // Number; Time as a fraction of a day
  std::string text;   // Text, UTF-8
};

// Converts a text the way a spreadsheet converts what is typed into a cell:
// the empty text leaves the cell blank; a number (optional sign, digits with
// one '.' or ',' as the decimal mark, optional exponent) becomes that number;
// "h:mm:ss" or "hh:mm:ss" within a day becomes a time; anything else stays
// text. The program's texts never group thousands, so either mark is read as
// the decimal mark, whichever the machine that wrote them used.
CellValue ConvertCellText(std::string_view utf8);

// The text a cell shows: numbers as the shortest exact decimal, times as
// "hh:mm:ss".
std::string CellDisplayText(const CellValue& value);

}  // namespace lcr
