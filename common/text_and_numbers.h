#pragma once
// Small text and number helpers shared by the decoders, the views, the panel
// and the cycle. Nothing here knows about readings or widgets, so every
// folder may include it.

#include <cstddef>
#include <optional>
#include <string_view>

namespace lcr {

inline bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

// Without leading and trailing blanks and control characters.
inline std::string_view Trim(std::string_view text) {
  std::size_t b = 0, e = text.size();
  while (b < e && static_cast<unsigned char>(text[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(text[e - 1]) <= ' ') --e;
  return text.substr(b, e - b);
}

// The integer part of x, plus 1 when the fractional part is at least 0.5.
int RoundHalfUp(double x);

// y kept to four decimal places, never negative zero.
double RoundTo4(double y);

// Seconds since midnight of an "hh:mm:ss" text; none for anything else.
std::optional<int> SecondsOfDay(std::string_view hhmmss);

// 10^d, exact as long as the power of ten is.
double Pow10(int d);

// v * 10^d, dividing for negative d so that 1500 nF in uF stays 1.5.
double ScaleByPow10(double v, int d);

// A number as the locale's conversion reads it with `decimalMark` as the
// separator: optional sign, digits with at most one mark, optional exponent.
// Nothing else may surround it; infinities are refused.
std::optional<double> ParseLocaleNumber(std::string_view text, std::string_view decimalMark);

// A padded text such as " 200.0" read as the number it shows.
std::optional<double> ParsePaddedNumber(std::string_view text, std::string_view decimalMark);

// The same with either mark, '.' first: files and cells may come from a
// system with the other one.
std::optional<double> ParseEitherMark(std::string_view text);

}  // namespace lcr
