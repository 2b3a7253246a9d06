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

// The number of a text times 10^e, rounded once; also takes exponents.
std::optional<double> ReadScaled(std::string_view text, int e);

}  // namespace lcr
