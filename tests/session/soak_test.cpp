// Soak: a long stream of frames of both families, with junk, cut frames and
// top-up reads, through the scripted backend, read passes and display ticks
// on a virtual clock, with every model running. The heap apart from the
// measurement table must stay flat; run under LeakSanitizer it must be clean.
// LCR_SOAK_FRAMES sets the length (default 100000; bench/README.md has the
// figures of a run of 1000000).
#include <gtest/gtest.h>

#include <QLocale>
#include <cstdio>
#include <random>

#include "session/cycle.h"
#include "link/scripted_serial_io.h"
#include "simulator/scenarios.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's count of live heap bytes (freed blocks waiting in its
// quarantine do not count).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

using Bytes = lcr::ScriptedSerialIo::Bytes;

// Bytes held by the allocator now; -1 where it cannot be told.
long long LiveHeapBytes() {
#if defined(__SANITIZE_ADDRESS__)
  return (long long)__sanitizer_get_current_allocated_bytes();
#elif defined(__GLIBC__)
  // Blocks past the mmap threshold (the table's blocks of rows) are counted
  // apart from the arena's.
  const struct mallinfo2 info = mallinfo2();
  return (long long)(info.uordblks + info.hblkhd);
#else
  return -1;
#endif
}

// The wire: scenario frames of both families with stray bytes between them;
// now and then a read ends inside a frame's first bytes and the top-up read
// brings the rest, or a frame arrives damaged.
class Wire {
 public:
  std::uint64_t framesSent = 0;
  std::uint64_t reads = 0;

  bool Next(Bytes& read) {
    ++reads;
    read.swap(carry_);
    carry_.clear();
    const int kind = int(rng_() % 20);
    if (kind == 0) return true;  // nothing arrived
    Junk(read, rng_() % 24);
    if (kind == 1) return true;  // junk only
    const int frames = 1 + int(rng_() % 5);
    for (int i = 0; i < frames; ++i) {
      const Bytes frame = NextFrame();
      if (kind == 2 && i + 1 == frames) {
        // Cut short: the rest comes with the next read.
        const std::size_t cut = 1 + rng_() % (frame.size() - 1);
        read.insert(read.end(), frame.begin(), frame.begin() + std::ptrdiff_t(cut));
        carry_.assign(frame.begin() + std::ptrdiff_t(cut), frame.end());
        return true;
      }
      read.insert(read.end(), frame.begin(), frame.end());
      if (kind == 3) read[read.size() - 1 - rng_() % frame.size()] ^= std::uint8_t(1 + rng_() % 255);
      Junk(read, rng_() % 4);
    }
    return true;
  }

 private:
  Bytes NextFrame() {
    // Blocks of the switch, tour and overload scenarios, each family first.
    static constexpr lcr::sim::Scenario kScenarios[] = {lcr::sim::Scenario::kSwitch, lcr::sim::Scenario::kTour,
                                                         lcr::sim::Scenario::kOverload, lcr::sim::Scenario::kNoise};
    const std::uint64_t block = framesSent / 500;
    const int family = block % 2 == 0 ? 730 : 68;
    const lcr::sim::ScenarioStep step = lcr::sim::ScenarioFrame(kScenarios[block / 2 % 4], family, framesSent);
    ++framesSent;
    Bytes out = step.leading;
    out.insert(out.end(), step.frame.begin(), step.frame.end());
    return out;
  }

  void Junk(Bytes& read, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) read.push_back(std::uint8_t(0x10 + rng_() % 0x40));
  }

  std::mt19937_64 rng_{20261209};
  Bytes carry_;
};

}  // namespace

TEST(Soak, ALongStreamLeavesTheHeapFlatApartFromTheTable) {
  std::uint64_t total = 100000;
  if (const char* env = std::getenv("LCR_SOAK_FRAMES")) total = std::strtoull(env, nullptr, 10);

  auto cycle = lcr::MakeCycle();
  lcr::Cycle& c = *cycle;
  lcr::FormCreate(c, QLocale::c());
  lcr::ScriptedSerialIo io;
  io.SetLogCalls(false);
  Wire wire;
  io.SetReadSource([&wire](int, Bytes& read) { return wire.Next(read); });

  const QDateTime origin(QDate(2026, 1, 1), QTime(0, 0), Qt::UTC);
  ASSERT_TRUE(lcr::ButtonStartClick(c, io));
  int passes = 0;
  while (!lcr::CheckComTimer(c, io, origin)) ASSERT_LT(++passes, 1000);

  auto heapBesidesTable = [&] {
    return LiveHeapBytes() - (long long)(c.table.rows.capacity() * sizeof(lcr::MeasurementRecord));
  };
  long long baseline = 0, peak = 0;
  long long tick = 0;
  const std::uint64_t warmUp = total / 10;
  while (wire.framesSent < total) {
    const QDateTime now = origin.addMSecs(tick * 500);
    lcr::ReadComTimer(c, io, now);
    ++tick;
    lcr::ShowTimeTimer(c, origin.addMSecs(tick * 500));
    if (tick % 997 == 0) lcr::SystimeTimer(c, now);
    if (baseline == 0 && wire.framesSent >= warmUp) baseline = heapBesidesTable();
    if (baseline != 0 && tick % 1000 == 0) peak = std::max(peak, heapBesidesTable());
  }
  const long long end = heapBesidesTable();
  peak = std::max(peak, end);
  std::printf("soak: %llu frames in %llu reads, %lld display ticks, %d records; heap besides the table "
              "%lld bytes after 10%%, %lld at the end, peak %lld\n",
              (unsigned long long)wire.framesSent, (unsigned long long)wire.reads, tick, c.table.RecordCount,
              baseline, end, peak);
  EXPECT_GT(c.table.RecordCount, int(tick / 2));
  if (LiveHeapBytes() >= 0) {
    EXPECT_LT(peak - baseline, 2LL << 20);
  }
}
