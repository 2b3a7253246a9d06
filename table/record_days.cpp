#include "table/record_days.h"

#include <algorithm>

namespace lcr {

void RecordDays::Note(std::int32_t row, std::int32_t day) {
  while (!runs_.empty() && runs_.back().firstRow >= row) runs_.pop_back();
  const std::int32_t current = runs_.empty() ? 0 : runs_.back().day;
  if (day != current) runs_.push_back({row, day});
}

std::int32_t RecordDays::DayOf(std::int32_t row) const {
  const auto after = std::upper_bound(runs_.begin(), runs_.end(), row,
                                      [](std::int32_t r, const Run& run) { return r < run.firstRow; });
  return after == runs_.begin() ? 0 : std::prev(after)->day;
}

}  // namespace lcr
