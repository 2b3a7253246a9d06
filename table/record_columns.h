#pragma once
// The six columns a record is shown and written in (the grid, the data
// file, the workbook): their header texts and the record's texts in them.

#include <array>
#include <string_view>

#include "table/measurement_table.h"

namespace lcr {

inline constexpr int kRecordColumnCount = 6;

// The grid's header row; the workbook's first row copies it.
inline constexpr std::array<std::string_view, kRecordColumnCount> kRecordColumnHeaders{
    "Index", "Time", "Main", "Main_Range", "Sub", "Sub_Range"};

// Record `rec`, whose index reads `index`, in column order, as stored (GBK).
inline std::array<std::string_view, kRecordColumnCount> RecordColumnTexts(std::string_view index,
                                                                          const MeasurementRecord& rec) {
  return {index,
          rec.TimeText.View(),
          rec.MainValue.View(),
          rec.MainCaption.View(),
          rec.SubValue.View(),
          rec.SubCaption.View()};
}

}  // namespace lcr
