// Read passes over one 2048-byte read, with every part of the pass (the hex
// trace, resynchronisation, extraction and decoding). Targets: a read of
// back-to-back frames in 50 us or less; the worst junk in 5 ms or less.

#include <benchmark/benchmark.h>

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <memory>

#include "bench/bench_frames.h"
#include "link/acquisition_state.h"
#include "link/link_ops.h"

namespace {

using namespace lcr;
using bench::Bytes;

// A port that hands out the same reads again and again, without the
// scripted backend's per-read copies.
class RepeatingIo : public SerialIo {
 public:
  explicit RepeatingIo(std::vector<Bytes> reads) : reads_(std::move(reads)) {}
  int sio_open(int) override { return 0; }
  int sio_ioctl(int, int, int) override { return 0; }
  int sio_flowctrl(int, int) override { return 0; }
  int sio_DTR(int, int) override { return 0; }
  int sio_RTS(int, int) override { return 0; }
  int sio_close(int) override { return 0; }
  void Wait(int, int) override {}
  int sio_read(int, char* buffer, int len) override {
    const Bytes& r = reads_[next_];
    if (++next_ == reads_.size()) next_ = 0;
    const int n = std::min<int>(len, int(r.size()));
    std::memcpy(buffer, r.data(), std::size_t(n));
    return n;
  }

 private:
  std::vector<Bytes> reads_;
  std::size_t next_ = 0;
};

// Runs read passes over `reads` (a read and, when the pass needs one, its
// top-up) and reports frames decoded per pass.
void ReadPasses(benchmark::State& state, std::vector<Bytes> reads, int family) {
  auto s = std::make_unique<AcquisitionState>();
  s->LinkPort = 1;
  s->ActiveFamily = family;
  s->FrameLength = family == kFamily68 ? kFrameLength68 : kFrameLength730;
  RepeatingIo io(std::move(reads));
  const QDateTime now(QDate(2024, 5, 17), QTime(12, 0));
  std::int64_t decoded = 0;
  for (auto _ : state) {
    const int before = s->LinkCount > 10 ? 5 : s->LinkCount;
    ReadPass(*s, io, now);
    decoded += s->LinkCount - before;
  }
  state.counters["frames/pass"] = double(decoded) / double(state.iterations());
}

void BM_ReadPassFrames730(benchmark::State& state) {
  ReadPasses(state, {bench::BackToBack(bench::Frames730())}, kFamily730);
}
BENCHMARK(BM_ReadPassFrames730)->Unit(benchmark::kMicrosecond);

void BM_ReadPassFrames68(benchmark::State& state) {
  ReadPasses(state, {bench::BackToBack(bench::Frames68())}, kFamily68);
}
BENCHMARK(BM_ReadPassFrames68)->Unit(benchmark::kMicrosecond);

// Junk that starts extraction and never yields a reading: family 68 frames
// that pass the full frame test, so the decoder runs on each, but show a
// glyph outside the table. The first extraction zeroes the read and fails;
// the loop then runs again from every following byte.
Bytes UnreadableFrames68() {
  std::vector<sim::Frame68> frames = bench::Frames68();
  for (auto& f : frames) f[7] = 0x01;
  return bench::BackToBack(frames);
}

// Frame starts at every third byte (AA 55 00 AA 55 00 ...): every position
// is a candidate for a moment, none is a frame.
Bytes RepeatedStarts68() {
  Bytes read;
  while (read.size() < kReadChunk) read.insert(read.end(), {0xAA, 0x55, 0x00});
  read.resize(kReadChunk);
  return read;
}

// The first start only 14 bytes before the end, so the pass waits for a
// top-up read; the top-up brings 2048 more bytes of unreadable frames.
std::vector<Bytes> LateStartThenTopUp() {
  Bytes first(kReadChunk, 0x11);
  first[kReadChunk - 14] = 0xAA;
  first[kReadChunk - 13] = 0x55;
  first[kReadChunk - 12] = 0x00;
  return {first, UnreadableFrames68()};
}

// arg: the frame length of the linked family (17 or 31); 17 keeps the loop
// running longest.
void BM_ReadPassJunkUnreadable68(benchmark::State& state) {
  ReadPasses(state, {UnreadableFrames68()}, state.range(0) == 31 ? kFamily68 : kFamily730);
}
BENCHMARK(BM_ReadPassJunkUnreadable68)->Arg(17)->Arg(31)->ArgName("len")->Unit(benchmark::kMillisecond);

void BM_ReadPassJunkRepeatedStarts(benchmark::State& state) {
  ReadPasses(state, {RepeatedStarts68()}, kFamily730);
}
BENCHMARK(BM_ReadPassJunkRepeatedStarts)->Unit(benchmark::kMillisecond);

void BM_ReadPassJunkWithTopUp(benchmark::State& state) {
  ReadPasses(state, LateStartThenTopUp(), kFamily730);
}
BENCHMARK(BM_ReadPassJunkWithTopUp)->Unit(benchmark::kMillisecond);

}  // namespace
