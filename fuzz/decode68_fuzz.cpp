// Arbitrary 31-byte frames through the family 68 decoder.
//
// Input: one mode byte, then the frame. With mode bit 0 the bytes that
// extraction tests are forced to a valid frame's (AA 55 00 37 00 00 00,
// byte 28 bit 3, BB 66); without it the frame is taken raw. The frame lives
// in a heap block of exactly 31 bytes, so any read beyond it is caught.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "decode/decode68.h"
#include "fuzz/fuzz_check.h"
#include "tests/decode/reading_support.h"

namespace {

using namespace lcr;
using namespace lcr::fuzz;

constexpr std::size_t kLength = kFrameLength68;

void CheckDecode(const Reading& r, char mark) {
  CheckReading(r);
  CheckAllMarks(r, mark);
  FUZZ_CHECK(r.DisplayCodes.size() == 80);
  for (char c : r.DisplayCodes) FUZZ_CHECK(c == '0' || c == '1');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t mode = data[0];
  ++data;
  --size;

  auto frame = std::make_unique<std::uint8_t[]>(kLength);
  std::memset(frame.get(), 0, kLength);
  std::memcpy(frame.get(), data, std::min(size, kLength));
  const bool validated = mode & 0x01;
  if (validated) {
    static constexpr std::uint8_t kHead[] = {0xAA, 0x55, 0x00, 0x37, 0x00, 0x00, 0x00};
    std::memcpy(frame.get(), kHead, sizeof kHead);
    frame[28] |= 0x08;
    frame[29] = 0xBB;
    frame[30] = 0x66;
  }

  Reading dot;
  Decode68Frame(frame.get(), dot, ".");
  CheckDecode(dot, '.');
  FUZZ_CHECK(dot.FrameStatus.empty());  // never the decoder's to write

  // A fresh Reading gets SegmentFlags only from a frame whose displays both
  // read; an unreadable one yields no reading at all.
  const bool readable = !dot.SegmentFlags.empty();
  if (readable) {
    FUZZ_CHECK(dot.SegmentFlags.size() == 48);
    FUZZ_CHECK(dot.MainRange.size() >= 6);
    FUZZ_CHECK(dot.MainFunction.size() >= 4 && dot.SubFunction.size() >= 4);
    // Byte 28 bit 3 lights position 7, so every valid readable frame counts.
    if (validated) FUZZ_CHECK(HoldsReading(dot.DisplayCodes));
  } else {
    FUZZ_CHECK(IsBlankCodes(dot.DisplayCodes));
  }

  Reading comma;
  Decode68Frame(frame.get(), comma, ",");
  CheckDecode(comma, ',');
  FUZZ_CHECK(SameFields(CommaToDot(comma), dot));

  // Over a used Reading: a readable frame rewrites every field but SubRange
  // (kept when no secondary label is lit); an unreadable one rewrites only
  // DisplayCodes and, at most, the two ranges.
  const Reading stale = lcrtest::LeftoverReading();
  Reading reused = stale;
  Decode68Frame(frame.get(), reused, ".");
  CheckReading(reused);
  FUZZ_CHECK(reused.DisplayCodes == dot.DisplayCodes);
  FUZZ_CHECK(reused.FrameStatus == stale.FrameStatus);
  if (readable) {
    FUZZ_CHECK(reused.MainValue == dot.MainValue && reused.SubValue == dot.SubValue);
    FUZZ_CHECK(reused.MainRange == dot.MainRange);
    FUZZ_CHECK(reused.MainFunction == dot.MainFunction);
    FUZZ_CHECK(reused.SubFunction == dot.SubFunction);
    FUZZ_CHECK(reused.SegmentFlags == dot.SegmentFlags);
    FUZZ_CHECK(reused.SubRange == (dot.SubRange.empty() ? stale.SubRange : dot.SubRange));
  } else {
    FUZZ_CHECK(reused.MainRange == (dot.MainRange.empty() ? stale.MainRange : dot.MainRange));
    FUZZ_CHECK(reused.MainValue == stale.MainValue && reused.SubValue == stale.SubValue);
    FUZZ_CHECK(reused.MainFunction == stale.MainFunction);
    FUZZ_CHECK(reused.SubFunction == stale.SubFunction);
    FUZZ_CHECK(reused.SegmentFlags == stale.SegmentFlags);
  }
  return 0;
}
