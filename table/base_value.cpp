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
