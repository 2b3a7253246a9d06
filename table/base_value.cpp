#include "table/base_value.h"

#include <cmath>
#include <string>

#include "common/text_and_numbers.h"
#include "decode/value_words.h"
#include "table/caption_unit.h"

namespace lcr {

// The number of a text times 10^e, rounded once: "0.00102" at e = 6 reads
// 1020, not 1020.0000000000001.
std::optional<double> ReadScaled(std::string_view text, int e) {
  if (e == 0 || text.find_first_of("eE") != std::string_view::npos) {
    const auto number = ParseEitherMark(text);
    if (!number || e == 0) return number;
    return e > 0 ? *number * std::pow(10.0, e) : *number / std::pow(10.0, -e);
  }
  std::string scaled(text);
  scaled += 'e';
  scaled += std::to_string(e);
  return ParseEitherMark(scaled);
}

namespace {

// The common case at full speed: a sign, digits and at most one mark,
// read as a whole number of up to 15 digits times an exact power of ten,
// so the one rounding is that of the product or quotient, and the result
// equals what ReadScaled gives. None for anything else.
std::optional<double> ReadPlainScaled(std::string_view text, int e) {
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

}  // namespace

std::optional<double> ScaledValue(std::string_view value, int e) {
  const std::string_view v = Trim(value);
  if (const auto plain = ReadPlainScaled(v, e)) return plain;
  if (!MayBeNumber(v) || ScaleOf(v) != ValueScale::Number) return std::nullopt;
  return ReadScaled(v, e);
}

std::optional<double> BaseValue(std::string_view value, std::string_view caption) {
  return ScaledValue(value, CaptionExponent(caption));
}

}  // namespace lcr
