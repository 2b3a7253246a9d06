#include "link/link_ops.h"

#include <cstdio>
#include <cstring>

#include "common/text_and_numbers.h"
#include "decode/decode68.h"
#include "decode/decode730.h"

namespace lcr {

namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";

void AppendHexByte(std::string& out, std::uint8_t b) {
  out.push_back(kHexDigits[b >> 4]);
  out.push_back(kHexDigits[b & 0x0F]);
  out.push_back(' ');
}

// The three frame tests. `buf` is ReceiveBuffer; p is 1-based. Every test
// reads at most 31 bytes from p; callers keep p + 30 inside the buffer.
bool Start68(const std::uint8_t* buf, int p) {
  return buf[p] == 0xAA && buf[p + 1] == 0x55 && buf[p + 2] == 0x00;
}

bool Full68(const std::uint8_t* buf, int p) {
  return Start68(buf, p) && buf[p + 3] == 0x37 && buf[p + 4] == 0x00 && buf[p + 5] == 0x00 &&
         buf[p + 6] == 0x00 && (buf[p + 28] & 0x08) != 0 && buf[p + 29] == 0xBB &&
         buf[p + 30] == 0x66;
}

bool Full730(const std::uint8_t* buf, int p) {
  return buf[p] == 0x00 && buf[p + 1] == 0x0D && buf[p + 15] == 0x0D && buf[p + 16] == 0x0A;
}

}  // namespace

std::string FormatStampFull(const QDateTime& t) {
  const QDate d = t.date();
  const QTime tm = t.time();
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d:%02d:%02d:%02d.%03d", d.year(), d.month(), d.day(),
                tm.hour(), tm.minute(), tm.second(), tm.msec());
  return buf;
}

std::string FormatStampTrace(const QDateTime& t) {
  const QTime tm = t.time();
  char buf[24];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d:%03d> ", tm.hour(), tm.minute(), tm.second(),
                tm.msec());
  return buf;
}

bool OpenPort(AcquisitionState& s, SerialIo& io, int port) {
  const int result = io.sio_open(port);
  s.OpenResult[std::size_t(port)] = result;
  s.ReadResult[std::size_t(port)] = 0;
  s.PortOpen[std::size_t(port)] = result == 0;
  if (result != 0) return false;
  io.sio_ioctl(port, kBaud9600, kMode8N1);
  io.sio_flowctrl(port, 0);
  io.sio_DTR(port, 0);
  io.sio_RTS(port, 0);
  return true;
}

bool OpenPorts(AcquisitionState& s, SerialIo& io) {
  bool any = false;
  for (int port = 1; port <= kMaxPorts; ++port) {
    s.diag.Edit1 = std::to_string(port);
    any = OpenPort(s, io, port) || any;
  }
  return any;
}

void ReopenFailedPorts(AcquisitionState& s, SerialIo& io) {
  for (int port = 1; port <= kMaxPorts; ++port)
    if (!s.PortOpen[port]) OpenPort(s, io, port);
}

void ClosePortsExcept(SerialIo& io, int keep) {
  for (int port = 1; port <= kMaxPorts; ++port)
    if (port != keep) io.sio_close(port);
}

int ScanFrameFamily(AcquisitionState& s, int n) {
  int matches = 0;
  if (n < 16) return matches;
  const std::uint8_t* buf = s.ReceiveBuffer.data();
  for (int p = 1; p <= n - 15; ++p) {
    const int remaining = n - p + 1;
    int family = 0, length = 0;
    if (remaining >= kFrameLength68 && Full68(buf, p)) {
      family = kFamily68;
      length = kFrameLength68;
    } else if (remaining >= kFrameLength730 && Full730(buf, p)) {
      family = kFamily730;
      length = kFrameLength730;
    } else {
      continue;
    }
    if (s.ActiveFamily != family) matches = 0;
    s.ActiveFamily = family;
    ++matches;
    s.FrameLength = length;
    if (matches > 1) break;
  }
  return matches;
}

bool DetectionPass(AcquisitionState& s, SerialIo& io, const QDateTime& now) {
  s.diag.Edit3 = "check_com:  " + FormatStampFull(now);
  char temp[kReadChunk];
  for (int port = 1; port <= kMaxPorts; ++port) {
    if (!s.PortOpen[port]) continue;
    const int n = io.sio_read(port, temp, kReadChunk);
    s.ReadResult[std::size_t(port)] = n;
    if (n <= 25) continue;
    const int count = n > kReadChunk ? kReadChunk : n;  // a backend may not overfill us
    for (int i = 0; i < count; ++i) {
      s.ReceiveBuffer[std::size_t(i) + 1] = std::uint8_t(temp[i]);
      AppendHexByte(s.diag.Edit1, std::uint8_t(temp[i]));
    }
    s.diag.TrimEdit1();
    s.ActiveFamily = kNoFamily;
    if (ScanFrameFamily(s, count) > 1) {
      s.LinkPort = port;
      ClosePortsExcept(io, port);
      return true;
    }
  }
  return false;
}

void ExtractFrame(AcquisitionState& s, int pos, int len) {
  Reading& r = s.reading;
  r.FrameStatus = "4";
  bool haveTag = false;
  int tag = kNoFamily;
  std::uint8_t* buf = s.ReceiveBuffer.data();
  const int last = pos + len - 1;  // last pending byte
  for (int p = pos; p <= pos + len - 11; ++p) {
    bool decoded = false;
    if (Start68(buf, p)) {
      haveTag = true;
      tag = buf[p + 3] == 0x37 ? kFamily68 : kNoFamily;
      if (p + 30 <= last && Full68(buf, p)) {
        Decode68Frame(buf + p, r, s.DecimalMark);
        decoded = true;
      }
    } else if (Full730(buf, p)) {
      haveTag = true;
      tag = kFamily730;
      if (p + 16 <= last) {
        Decode730Frame(buf + p, r, s.DecimalMark);
        decoded = true;
      }
    }
    if (decoded && HoldsReading(r.DisplayCodes)) {
      if (Trim(r.SubValue).empty()) {
        r.SubRange.clear();
        r.SubFunction.clear();
      }
      r.FrameStatus = "1";
      break;
    }
    buf[p] = 0;
  }
  if (haveTag) s.ModelTag = tag;
}

ReadPassResult ReadPass(AcquisitionState& s, SerialIo& io, const QDateTime& now) {
  ReadPassResult result;
  s.diag.Edit5 = "read_com:  " + FormatStampFull(now);
  result.rearmMs = 500;

  char temp[kReadChunk];
  int n = io.sio_read(s.LinkPort, temp, kReadChunk);
  if (n > kReadChunk) n = kReadChunk;
  if (s.LinkPort >= 1 && s.LinkPort <= kMaxPorts) s.ReadResult[std::size_t(s.LinkPort)] = n;
  s.PendingLen = 0;
  if (s.LinkCount > 10) s.LinkCount = 5;
  if (n <= 0) return result;

  s.ReadPos = 1;
  s.PendingLen = n;
  s.diag.AddMemoLine(s.diag.Edit1);
  s.diag.Edit1 = FormatStampTrace(now);
  for (int i = 0; i < n; ++i) {
    AppendHexByte(s.diag.Edit1, std::uint8_t(temp[i]));
    s.ReceiveBuffer[std::size_t(i) + 1] = std::uint8_t(temp[i]);
  }

  // Resynchronise to the first frame start. The 730 start test looks 16
  // bytes ahead and may read stale bytes past this read, as intended.
  const std::uint8_t* buf = s.ReceiveBuffer.data();
  int start = 0;
  for (int p = 1; p <= n - 13; ++p) {
    if (Start68(buf, p) || Full730(buf, p)) {
      start = p;
      break;
    }
  }
  if (start == 0) {
    s.ReadPos = 0;
    return result;
  }
  s.ReadPos = start;
  s.PendingLen = n - start + 1;
  s.reading.DisplayCodes.assign(kBlankDisplayCodes);
  // The frame found decides how many bytes the pass waits for: a lone frame
  // of the family a meter just switched to must not wait for the length of
  // the family it left.
  s.FrameLength = Start68(buf, start) ? kFrameLength68 : kFrameLength730;

  if (s.PendingLen < s.FrameLength) {
    io.Wait(s.LinkPort, 30);
    int m = io.sio_read(s.LinkPort, temp, kReadChunk);
    if (m > kReadChunk) m = kReadChunk;
    s.diag.Edit1 += std::to_string(m);
    result.rearmMs = 550;
    if (m > 0) {
      std::memcpy(&s.ReceiveBuffer[std::size_t(s.ReadPos + s.PendingLen)], temp, std::size_t(m));
      s.PendingLen += m;
    }
  }

  while (s.PendingLen >= s.FrameLength) {
    ExtractFrame(s, s.ReadPos, s.PendingLen);
    if (s.reading.FrameStatus == "1") {
      ++s.LinkCount;
      result.decoded = true;
      // Follow a meter that changed family while linked: stepping by the
      // detected family's length would land inside the new frames, and the
      // loop would end on a "4" that drops the reading just decoded.
      s.FrameLength = s.ModelTag == kFamily68 ? kFrameLength68 : kFrameLength730;
      if (s.PendingLen > s.FrameLength) {
        s.ReadPos += s.FrameLength;
        s.PendingLen -= s.FrameLength;
      } else {
        s.ReadPos = 0;
        s.PendingLen = 0;
      }
    } else {
      s.reading.DisplayCodes.assign(kBlankDisplayCodes);
      if (s.ReadPos >= kReadPosGuard) {
        s.ReadPos = 0;
        s.PendingLen = 0;
      } else {
        ++s.ReadPos;
        --s.PendingLen;
      }
    }
  }
  return result;
}

}  // namespace lcr
