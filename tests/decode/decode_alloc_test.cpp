// Decoding runs for every frame of a live stream: once the Reading's strings
// have their buffers, a decode must not touch the heap.
#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <cstdlib>
#include <new>

#include "decode/decode68.h"
#include "decode/decode730.h"

namespace {
std::atomic<bool> gCounting{false};
std::atomic<int> gAllocations{0};
}  // namespace

void* operator new(std::size_t size) {
  if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace lcr {
namespace {

class AllocationCounter {
 public:
  AllocationCounter() {
    gAllocations = 0;
    gCounting = true;
  }
  ~AllocationCounter() { gCounting = false; }
  int count() const { return gAllocations.load(); }
};

// Frames whose fields grow to their longest texts.
std::array<std::uint8_t, 17> LongFrame730() {
  std::array<std::uint8_t, 17> f{0x00, 0x0D, 0xFF, 0xFF, 0x0F, 0x07, 0x80, 0x01, 0x47, 0x1F,
                                 0x04, 0x80, 0x01, 0x6F, 0x1F, 0x0D, 0x0A};
  return f;
}

std::array<std::uint8_t, 31> LongFrame68() {
  std::array<std::uint8_t, 31> f{};
  const std::uint8_t head[] = {0xAA, 0x55, 0x00, 0x37};
  for (int i = 0; i < 4; ++i) f[i] = head[i];
  f[7] = 0x24 | 0x80;  // '1' with a point
  f[8] = f[9] = f[10] = 0x77;
  f[11] = 0x24 | 0x80;  // '1', minus
  for (int b = 13; b <= 18; ++b) f[b] = 0xA5;
  f[19] = 0x4C;
  f[21] = 0x1D;
  f[22] = 0x24 | 0x01;
  f[23] = f[24] = f[25] = 0xEE;
  f[26] = 0x24 | 0x01;
  f[27] = 0xFC;
  f[28] = 0x3F;
  f[29] = 0xBB;
  f[30] = 0x66;
  return f;
}

TEST(DecodeAllocation, WarmReadingIsReusedWithoutAllocating) {
  const auto long730 = LongFrame730();
  const auto long68 = LongFrame68();
  std::array<std::uint8_t, 17> short730{0x00, 0x0D};
  short730[15] = 0x0D;
  short730[16] = 0x0A;

  Reading reading;
  // Warm up with the longest texts of both families.
  Decode730Frame(long730.data(), reading, ".");
  Decode68Frame(long68.data(), reading, ".");
  ASSERT_TRUE(HoldsReading(reading.DisplayCodes));

  AllocationCounter counter;
  for (int i = 0; i < 100; ++i) {
    Decode730Frame(long730.data(), reading, ",");
    Decode730Frame(short730.data(), reading, ".");
    Decode68Frame(long68.data(), reading, ",");
  }
  EXPECT_EQ(counter.count(), 0);
}

}  // namespace
}  // namespace lcr
