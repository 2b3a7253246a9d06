#pragma once
// A record's value as a plain number in base units: the value text scaled by
// its caption's prefix (a 4.7 with "KΩ" is 4700 ohms). Works for the main
// and the secondary display alike, as both captions end in prefix and unit.

#include <optional>
#include <string_view>

namespace lcr {

// The value of a record in base units; none for a value word or any text
// that is not a number.
std::optional<double> BaseValue(std::string_view value, std::string_view caption);

// A value text times 10^e, once its power of ten is known (a run of records
// shares one caption, so callers may find e once).
std::optional<double> ScaledValue(std::string_view value, int e);

// The common case at full speed: a sign, up to 15 digits and at most one
// mark, untrimmed, with the same one rounding ScaledValue makes. None for
// anything else, which ScaledValue then reads. The number is read whole
// and scaled by an exact power of ten, so the one rounding is that of the
// product or quotient. Inline: statistics read a million values through it.
inline std::optional<double> ReadPlainScaled(std::string_view text, int e) {
  static constexpr double kPow10[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  long long mantissa = 0;
  int digits = 0, decimals = 0;
  bool mark = false;
  for (; i < text.size(); ++i) {
    const char ch = text[i];
    if (ch >= '0' && ch <= '9') {
      if (++digits > 15) return std::nullopt;
      mantissa = mantissa * 10 + (ch - '0');
      if (mark) ++decimals;
    } else if ((ch == '.' || ch == ',') && !mark) {
      mark = true;
    } else {
      return std::nullopt;
    }
  }
  if (digits == 0) return std::nullopt;
  const int k = e - decimals;
  if (k > 22 || k < -22) return std::nullopt;
  const double m = negative ? -double(mantissa) : double(mantissa);
  return k >= 0 ? m * kPow10[k] : m / kPow10[-k];
}

// The number of a text times 10^e, rounded once; also takes exponents.
std::optional<double> ReadScaled(std::string_view text, int e);

}  // namespace lcr
