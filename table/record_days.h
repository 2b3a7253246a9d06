#pragma once
// The calendar day each live record was taken on. A data file holds only
// the time of day, so records opened from one have none. Kept as runs, one
// per change of day (a midnight, or live records after opened ones), so the
// days of a million records take a few bytes in all, not bytes per record.

#include <cstdint>
#include <vector>

namespace lcr {

class RecordDays {
 public:
  // Row `row` was taken on `day`, a Julian day number (0: not known). Rows
  // are noted in rising order; noting an earlier row again (the table was
  // emptied and refilled) forgets the days of it and of every later row.
  void Note(std::int32_t row, std::int32_t day);
  // The day row `row` was taken on; 0 when it is not known.
  std::int32_t DayOf(std::int32_t row) const;
  void Clear() { runs_.clear(); }
  std::size_t RunCount() const { return runs_.size(); }

 private:
  struct Run {
    std::int32_t firstRow;
    std::int32_t day;
  };
  std::vector<Run> runs_;  // first rows rising; a run lasts until the next one starts
};

}  // namespace lcr
