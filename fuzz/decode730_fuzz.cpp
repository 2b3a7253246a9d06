// Arbitrary 17-byte frames through the family 730 decoder.
//
// Input: one mode byte, then the frame. With mode bit 0 the bytes that
// extraction tests are forced to a valid frame's, so the decoder sees what
// extraction would pass; without it the frame is taken raw. The frame lives
// in a heap block of exactly 17 bytes, so any read beyond it is caught.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include "decode/decode730.h"
#include "fuzz/fuzz_check.h"
#include "tests/decode/reading_support.h"

namespace {

using namespace lcr;
using namespace lcr::fuzz;

constexpr std::size_t kLength = kFrameLength730;

void CheckDecode(const Reading& r, char mark) {
  CheckReading(r);
  CheckAllMarks(r, mark);
  FUZZ_CHECK(r.DisplayCodes.size() == 80);
  // The bar always lights its first segment, so every frame is a reading.
  FUZZ_CHECK(HoldsReading(r.DisplayCodes));
  FUZZ_CHECK(r.MainRange.size() >= 6);
  FUZZ_CHECK(r.MainFunction.size() >= 4 && r.SubFunction.size() >= 4);
  FUZZ_CHECK(r.SegmentFlags == "Not 730 use");
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
  if (mode & 0x01) {
    frame[0] = 0x00;
    frame[1] = 0x0D;
    frame[15] = 0x0D;
    frame[16] = 0x0A;
  }

  Reading dot;
  Decode730Frame(frame.get(), dot, ".");
  CheckDecode(dot, '.');
  FUZZ_CHECK(dot.FrameStatus.empty());  // never the decoder's to write

  Reading comma;
  Decode730Frame(frame.get(), comma, ",");
  CheckDecode(comma, ',');
  FUZZ_CHECK(SameFields(CommaToDot(comma), dot));

  // Every decode rewrites all of its fields, whatever they held before.
  Reading reused = lcrtest::LeftoverReading();
  Decode730Frame(frame.get(), reused, ".");
  reused.FrameStatus.clear();
  FUZZ_CHECK(SameFields(reused, dot));
  return 0;
}
