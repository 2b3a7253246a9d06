// Arbitrary bytes through the data-file parser that File, Open uses.
//
// A file that opens must give exactly as many records as its count line
// says, and must open again, text for text, once it is saved: the table is
// filled, written as File, Save writes it, and parsed a second time.

#include <cstdint>
#include <string_view>

#include "fuzz/fuzz_check.h"
#include "files/data_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  lcr::MeasurementTable table;
  if (!lcr::ParseDataFile(bytes, table)) return 0;
  // Every record takes a line of at least seven bytes after the count line.
  FUZZ_CHECK(std::size_t(table.RecordCount) <= size / 7 + 1);
  FUZZ_CHECK(table.TableCapacity == table.RecordCount + lcr::kTableGrowth);

  const std::string saved = lcr::FormatDataFile(table);
  lcr::MeasurementTable again;
  FUZZ_CHECK(lcr::ParseDataFile(saved, again));
  FUZZ_CHECK(again.RecordCount == table.RecordCount);
  for (std::size_t i = 1; i <= std::size_t(table.RecordCount); ++i) {
    const lcr::MeasurementRecord& a = table.rows[i];
    const lcr::MeasurementRecord& b = again.rows[i];
    FUZZ_CHECK(a.TimeText.View() == b.TimeText.View());
    FUZZ_CHECK(a.MainValue.View() == b.MainValue.View());
    FUZZ_CHECK(a.MainCaption.View() == b.MainCaption.View());
    FUZZ_CHECK(a.SubValue.View() == b.SubValue.View());
    FUZZ_CHECK(a.SubCaption.View() == b.SubCaption.View());
  }
  return 0;
}
