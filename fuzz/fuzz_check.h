#pragma once
// Checks shared by the fuzz targets. A failed check aborts, so libFuzzer
// keeps the input that broke it.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "decode/reading.h"

#define FUZZ_CHECK(cond)                                                                  \
  do {                                                                                    \
    if (!(cond)) {                                                                        \
      std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
      std::abort();                                                                       \
    }                                                                                     \
  } while (0)

namespace lcr::fuzz {

// Longest text any decoder field may reach. The longest real ones are a
// value such as "-0.006553" and a function text such as "DCAV" + "u" + unit;
// anything near this bound means a text grew without limit.
inline constexpr std::size_t kTextBound = 24;

inline bool IsBlankCodes(std::string_view codes) { return codes == kBlankDisplayCodes; }

// What must hold for a Reading after any decode or read pass.
inline void CheckReading(const Reading& r) {
  FUZZ_CHECK(r.DisplayCodes.empty() || r.DisplayCodes.size() == 80);
  for (char c : r.DisplayCodes) FUZZ_CHECK(c > ' ' && c < 0x7F);
  FUZZ_CHECK(r.MainValue.size() <= kTextBound);
  FUZZ_CHECK(r.SubValue.size() <= kTextBound);
  FUZZ_CHECK(r.MainRange.size() <= kTextBound);
  FUZZ_CHECK(r.SubRange.size() <= kTextBound);
  FUZZ_CHECK(r.MainFunction.size() <= kTextBound);
  FUZZ_CHECK(r.SubFunction.size() <= kTextBound);
  FUZZ_CHECK(r.SegmentFlags.size() <= 48);
  FUZZ_CHECK(r.FrameStatus.empty() || r.FrameStatus == "1" || r.FrameStatus == "4");
}

// A value or range text holds the decimal mark at most once and never the
// other mark.
inline void CheckMarks(const std::string& text, char mark) {
  const char other = mark == '.' ? ',' : '.';
  FUZZ_CHECK(text.find(other) == std::string::npos);
  const auto first = text.find(mark);
  FUZZ_CHECK(first == std::string::npos || text.find(mark, first + 1) == std::string::npos);
}

}  // namespace lcr::fuzz

namespace lcr::fuzz {

inline bool SameFields(const Reading& a, const Reading& b) {
  return a.DisplayCodes == b.DisplayCodes && a.MainValue == b.MainValue &&
         a.SubValue == b.SubValue && a.MainRange == b.MainRange && a.SubRange == b.SubRange &&
         a.MainFunction == b.MainFunction && a.SubFunction == b.SubFunction &&
         a.FrameStatus == b.FrameStatus && a.SegmentFlags == b.SegmentFlags;
}

// The reading with every ',' of its value and range texts turned into '.':
// a decode with "," as the mark must equal the decode with "." after this.
inline Reading CommaToDot(Reading r) {
  for (std::string* text : {&r.MainValue, &r.SubValue, &r.MainRange, &r.SubRange})
    for (char& c : *text)
      if (c == ',') c = '.';
  return r;
}

// Marks checked on every value and range text.
inline void CheckAllMarks(const Reading& r, char mark) {
  CheckMarks(r.MainValue, mark);
  CheckMarks(r.SubValue, mark);
  CheckMarks(r.MainRange, mark);
  CheckMarks(r.SubRange, mark);
}

}  // namespace lcr::fuzz
