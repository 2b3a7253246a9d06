// Arbitrary port reads through detection, the read pass and extraction.
//
// The input is cut into a sequence of reads (each at most 2048 bytes) that a
// scripted port hands out. Detection runs over the first few of them, the
// read pass over the rest, so stale bytes of one read meet the next. Nothing
// may crash or touch memory outside ReceiveBuffer, and the link state must
// stay inside its bounds after every pass.

#include <QDate>
#include <QDateTime>
#include <QTime>
#include <algorithm>
#include <cstdint>
#include <memory>
#include <set>
#include <vector>

#include "fuzz/fuzz_check.h"
#include "link/link_ops.h"
#include "link/scripted_serial_io.h"

namespace {

using namespace lcr;
using lcr::fuzz::CheckReading;

constexpr int kMaxReads = 24;
// Two reads (the read and its top-up) end no further than this index.
constexpr int kLastPendingIndex = 2 * kReadChunk;

bool IsFamily(int tag) { return tag == kNoFamily || tag == kFamily730 || tag == kFamily68; }

void CheckLinkState(const AcquisitionState& s) {
  FUZZ_CHECK(s.FrameLength == kFrameLength730 || s.FrameLength == kFrameLength68);
  FUZZ_CHECK(IsFamily(s.ModelTag));
  FUZZ_CHECK(IsFamily(s.ActiveFamily));
  FUZZ_CHECK(s.ReadPos >= 0 && s.ReadPos <= kLastPendingIndex + 1);
  FUZZ_CHECK(s.PendingLen >= 0 && s.PendingLen <= kLastPendingIndex);
  if (s.ReadPos > 0) FUZZ_CHECK(s.ReadPos + s.PendingLen - 1 <= kLastPendingIndex);
  FUZZ_CHECK(s.diag.Memo1.size() <= Diagnostics::kMemoLines);
  FUZZ_CHECK(s.diag.Edit1.size() <= Diagnostics::kEdit1Limit + 3 * kReadChunk + 32);
  CheckReading(s.reading);
}

void CheckReadPass(const AcquisitionState& s, const ReadPassResult& result, int linkCountBefore) {
  CheckLinkState(s);
  FUZZ_CHECK(result.rearmMs == 500 || result.rearmMs == 550);
  // The extraction loop runs until fewer than one frame's bytes are left.
  if (s.ReadPos > 0) FUZZ_CHECK(s.PendingLen < s.FrameLength);
  const int start = linkCountBefore > 10 ? 5 : linkCountBefore;
  if (result.decoded) FUZZ_CHECK(s.LinkCount > start);
  else FUZZ_CHECK(s.LinkCount == start);
  FUZZ_CHECK(s.LinkCount - start <= kLastPendingIndex / kFrameLength730);
}

// The input, read front to back: a flags byte, a ports byte, the scan
// length, optionally 31 stale bytes, then reads as a two-byte length
// (little-endian, taken modulo 2049) followed by that many bytes. Past the
// end everything reads as zero.
struct Input {
  const std::uint8_t* data;
  std::size_t size;

  bool Empty() const { return size == 0; }
  std::uint8_t Byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  int Length() {
    const int low = Byte();
    return (low | Byte() << 8) % (kReadChunk + 1);
  }
  std::vector<std::uint8_t> Bytes(std::size_t n) {
    n = std::min(n, size);
    std::vector<std::uint8_t> out(data, data + n);
    data += n;
    size -= n;
    return out;
  }
};

const QDateTime& Now() {
  static const QDateTime now(QDate(2024, 5, 17), QTime(12, 34, 56, 789));
  return now;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  const std::uint8_t flags = in.Byte();
  const bool detect = flags & 0x01;
  const bool family68 = flags & 0x02;
  static constexpr int kLinkCounts[] = {0, 3, 10, 11};
  const int linkCount = kLinkCounts[(flags >> 2) & 0x03];
  const bool staleBytes = flags & 0x10;
  const std::uint8_t ports = in.Byte();
  const int openPorts = detect ? 1 + (ports & 0x03) % 3 : 1;
  const int detectionReads = detect ? 1 + ((ports >> 2) & 0x07) % 6 : 0;
  const int scanLength = in.Length();

  // The state is large; a fresh one per input keeps runs reproducible.
  auto state = std::make_unique<AcquisitionState>();
  AcquisitionState& s = *state;
  s.DecimalMark = (flags & 0x20) ? "," : ".";
  s.LinkCount = linkCount;

  // Bytes that earlier reads could have left behind the current one.
  if (staleBytes) {
    const std::vector<std::uint8_t> pattern = in.Bytes(31);
    if (!pattern.empty())
      for (int i = 1; i <= kLastPendingIndex + 64; ++i)
        s.ReceiveBuffer[std::size_t(i)] = pattern[std::size_t(i) % pattern.size()];
  }

  ScriptedSerialIo io;
  io.SetLogCalls(false);
  std::set<int> openable;
  for (int p = 1; p <= openPorts; ++p) openable.insert(p);
  io.SetOpenablePorts(openable);
  FUZZ_CHECK(OpenPorts(s, io));

  std::vector<std::vector<std::uint8_t>> reads;
  while (!in.Empty() && int(reads.size()) < kMaxReads) reads.push_back(in.Bytes(in.Length()));

  bool linked = !detect;
  std::size_t next = 0;
  if (detect) {
    for (; next < reads.size() && int(next) < detectionReads; ++next)
      io.QueueRead(int(next % std::size_t(openPorts)) + 1, reads[next]);
    for (int pass = 0; pass < detectionReads && !linked; ++pass) {
      linked = DetectionPass(s, io, Now());
      CheckLinkState(s);
    }
    if (!linked) return 0;
    FUZZ_CHECK(s.LinkPort >= 1 && s.LinkPort <= openPorts);
    for (int p = 1; p <= openPorts; ++p) FUZZ_CHECK(io.IsOpen(p) == (p == s.LinkPort));
  } else {
    s.LinkPort = 1;
    s.ActiveFamily = family68 ? kFamily68 : kFamily730;
    s.FrameLength = family68 ? kFrameLength68 : kFrameLength730;
  }

  for (; next < reads.size(); ++next) io.QueueRead(s.LinkPort, reads[next]);
  // Passes until the script runs dry, then one over an empty read.
  bool emptyRead = false;
  while (!emptyRead) {
    emptyRead = io.PendingReads(s.LinkPort) == 0;
    const int before = s.LinkCount;
    const ReadPassResult result = ReadPass(s, io, Now());
    CheckReadPass(s, result, before);
  }

  // The scan over whatever the buffer now holds.
  const int matches = ScanFrameFamily(s, scanLength);
  FUZZ_CHECK(matches >= 0 && matches <= 2);
  CheckLinkState(s);
  return 0;
}
