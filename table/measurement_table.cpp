#include "table/measurement_table.h"

#include "decode/display_codes.h"
#include "table/record_text.h"

namespace lcr {

void RecordRows::resize(std::size_t n) {
  const std::size_t blocks = (n + kBlockRows - 1) / kBlockRows;
  if (blocks < blocks_.size()) blocks_.resize(blocks);
  // Rows of a kept block past the old size may hold texts from before a
  // shrink: they are new rows now and read empty.
  for (std::size_t i = size_; i < std::min(n, blocks_.size() * kBlockRows); ++i) (*this)[i] = {};
  while (blocks_.size() < blocks) blocks_.push_back(std::make_unique<Block>());
  size_ = n;
}

namespace {

// Composes a caption on the stack: appending a sample allocates nothing.
class CaptionBuilder {
 public:
  void Add(std::string_view text) {
    const std::size_t room = sizeof buf_ - size_;
    const std::size_t n = std::min(room, text.size());
    std::copy_n(text.data(), n, buf_ + size_);
    size_ += n;
  }
  void Add(char c) { Add(std::string_view(&c, 1)); }
  std::string_view View() const { return {buf_, size_}; }

 private:
  char buf_[128];
  std::size_t size_ = 0;
};

void BuildMainCaption(CaptionBuilder& b, const Reading& r, int activeFamily) {
  b.Add(Chars(r.MainFunction, 1, 3));
  if (activeFamily == kFamily68)
    b.Add(IsFlagSet(r.DisplayCodes, pos68::kAutoRanging) ? " AUTO " : " MANU ");
  b.Add(r.MainRange);
  b.Add(' ');
  b.Add(Chars(r.MainFunction, 4, 13));
}

void BuildSubCaption(CaptionBuilder& b, const Reading& r) {
  b.Add(Chars(r.SubFunction, 1, 3));
  b.Add(' ');
  b.Add(r.SubRange);
  b.Add(' ');
  b.Add(Chars(r.SubFunction, 4, 13));
}

}  // namespace

std::int32_t AppendRecord(MeasurementTable& table, const Reading& reading,
                          std::string_view timeText, int activeFamily, std::int32_t day) {
  if (table.TableCapacity - table.RecordCount < kTableGrowth) {
    table.TableCapacity += kTableGrowth;
    table.rows.resize(std::size_t(table.TableCapacity));
  }
  const std::int32_t row = table.RecordCount + 1;
  MeasurementRecord& rec = table.rows[std::size_t(row)];
  rec.MainValue.Assign(reading.MainValue);
  rec.SubValue.Assign(reading.SubValue);
  CaptionBuilder mainCaption, subCaption;
  BuildMainCaption(mainCaption, reading, activeFamily);
  BuildSubCaption(subCaption, reading);
  rec.MainCaption.Assign(mainCaption.View());
  rec.SubCaption.Assign(Trim(subCaption.View()));
  rec.TimeText.Assign(timeText);
  table.days.Note(row, day);
  table.RecordCount = row;
  return row;
}

void ReplaceRecords(MeasurementTable& table, const std::vector<MeasurementRecord>& records) {
  const auto n = std::int32_t(records.size());
  table.TableCapacity = n + kTableGrowth;
  table.RecordCount = n;
  table.rows.resize(std::size_t(table.TableCapacity));
  table.days.Clear();
  for (std::size_t i = 0; i < records.size(); ++i) table.rows[i + 1] = records[i];
}

}  // namespace lcr
