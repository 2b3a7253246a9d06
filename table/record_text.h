#pragma once
// Reading the texts of table rows the way the views do: 1-based character
// ranges and rows outside the table read as empty records.

#include <algorithm>
#include <string_view>

#include "common/text_and_numbers.h"  // Trim
#include "table/measurement_table.h"

namespace lcr {

// Characters first..last (1-based, inclusive) of text: what exists of them,
// empty when the range is empty or lies past the end.
inline std::string_view Chars(std::string_view text, int first, int last) {
  first = std::max(first, 1);
  last = std::min(last, int(text.size()));
  if (last < first) return {};
  return text.substr(std::size_t(first - 1), std::size_t(last - first + 1));
}

// Row r of the table; a row the table does not have reads as five empty texts.
inline const MeasurementRecord& RowAt(const MeasurementTable& table, long long r) {
  static const MeasurementRecord kEmpty{};
  if (r < 0 || r >= static_cast<long long>(table.rows.size())) return kEmpty;
  return table.rows[static_cast<std::size_t>(r)];
}

}  // namespace lcr
