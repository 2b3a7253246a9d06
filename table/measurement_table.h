#pragma once
// The measurement log: one record per recorded sample, rows 1..RecordCount.

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "decode/reading.h"
#include "table/record_days.h"

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

// The rows of the table, held in blocks of kTableGrowth rows: growing adds
// blocks and never moves the rows already held, so the table never needs
// room for two copies of itself.
class RecordRows {
 public:
  static constexpr std::size_t kBlockRows = std::size_t(kTableGrowth);

  std::size_t size() const { return size_; }
  // Rows the blocks held have room for (size() rounded up to whole blocks).
  std::size_t capacity() const { return blocks_.size() * kBlockRows; }
  MeasurementRecord& operator[](std::size_t i) { return (*blocks_[i / kBlockRows])[i % kBlockRows]; }
  const MeasurementRecord& operator[](std::size_t i) const { return (*blocks_[i / kBlockRows])[i % kBlockRows]; }

  // n rows: the first min(n, size()) keep their texts, the rest read empty.
  void resize(std::size_t n);

 private:
  using Block = std::array<MeasurementRecord, kBlockRows>;
  std::vector<std::unique_ptr<Block>> blocks_;
  std::size_t size_ = 0;
};

struct MeasurementTable {
  RecordRows rows;  // rows.size() == TableCapacity
  std::int32_t RecordCount = 0;
  std::int32_t TableCapacity = 0;
  RecordDays days;  // the day each live row was taken on
};

// Appends one record (growth, composition, count) taken on `day`, a Julian
// day number (0: not known); the scroll bars are the caller's. Returns the
// new row index.
std::int32_t AppendRecord(MeasurementTable& table, const Reading& reading,
                          std::string_view timeText, int activeFamily, std::int32_t day = 0);

// Replaces the table with `records` as rows 1..n (what opening a data file
// does); their days are not known.
void ReplaceRecords(MeasurementTable& table, const std::vector<MeasurementRecord>& records);

}  // namespace lcr
