#pragma once
// The process-wide state of the acquisition cycle: link variables, the
// current Reading and the hidden diagnostic read-outs.

#include <QDateTime>
#include <array>
#include <cstdint>
#include <deque>
#include <string>

#include "decode/reading.h"
#include "link/serial_io.h"

namespace lcr {

inline constexpr int kReceiveBufferSize = 32769;  // index 0 never holds data
inline constexpr int kReadPosGuard = 32000;
// A model tag that names neither family (before a scan, or an AA 55 00 start
// whose fourth byte is not 0x37).
inline constexpr int kNoFamily = 0;

// Texts of the hidden diagnostic edits. They are bounded so that hours of
// logging cannot fill the memory: Edit1 keeps its newest kEdit1Limit
// characters, Memo1 its newest kMemoLines lines.
struct Diagnostics {
  static constexpr std::size_t kEdit1Limit = 65536;
  static constexpr std::size_t kMemoLines = 500;

  std::string Edit1, Edit2, Edit3, Edit4, Edit5;
  std::deque<std::string> Memo1;
  std::uint64_t memoLinesAdded = 0;  // total ever added (for views that append)

  void AddMemoLine(const std::string& line);
  void TrimEdit1();
};

struct AcquisitionState {
  // Kept with the link: the read pass and detection move them.
  int ModelTag = 0;
  int ActiveFamily = 0;
  int LinkCount = 0;
  std::string DecimalMark = ".";
  Reading reading;

  // Part of the link.
  std::array<bool, kMaxPorts + 1> PortOpen{};
  std::array<int, kMaxPorts + 1> OpenResult{};  // the last sio_open result of each port
  std::array<int, kMaxPorts + 1> ReadResult{};  // the last sio_read result of each port (0 after open)
  int LinkPort = 0;
  std::array<std::uint8_t, kReceiveBufferSize> ReceiveBuffer{};
  int ReadPos = 0;
  int PendingLen = 0;
  int FrameLength = kFrameLength730;

  Diagnostics diag;
};

}  // namespace lcr
