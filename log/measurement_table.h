#pragma once
// The measurement log: one record per recorded sample, rows 1..RecordCount.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "decode/reading.h"

namespace lcr {

// A length-counted text stored inline; longer input is cut to Capacity bytes.
template <std::size_t Capacity>
struct FixedText {
  std::uint8_t length = 0;
  std::array<char, Capacity> chars{};

  void Assign(std::string_view text) {
    length = std::uint8_t(std::min(text.size(), Capacity));
    std::copy_n(text.data(), length, chars.data());
  }
  std::string_view View() const { return {chars.data(), length}; }
  std::string Str() const { return std::string(View()); }
};

struct MeasurementRecord {
  FixedText<7> MainValue;
  FixedText<7> SubValue;
  FixedText<20> MainCaption;
  FixedText<20> SubCaption;
  FixedText<15> TimeText;
};

inline constexpr std::int32_t kTableGrowth = 20000;

struct MeasurementTable {
  std::vector<MeasurementRecord> rows;  // rows.size() == TableCapacity
  std::int32_t RecordCount = 0;
  std::int32_t TableCapacity = 0;
};

// The caption texts a record stores, composed from a Reading.
std::string ComposeMainCaption(const Reading& r, int activeFamily);
std::string ComposeSubCaption(const Reading& r);

// Appends one record (growth, composition, count); the scroll bars are the
// caller's. Returns the new row index.
std::int32_t AppendRecord(MeasurementTable& table, const Reading& reading,
                          std::string_view timeText, int activeFamily);

// Replaces the table with `records` as rows 1..n (what opening a data file does).
void ReplaceRecords(MeasurementTable& table, const std::vector<MeasurementRecord>& records);

}  // namespace lcr
