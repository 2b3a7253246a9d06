#include "link/scripted_serial_io.h"

#include <algorithm>
#include <cstring>

namespace lcr {

namespace {
bool ValidPort(int port) { return port >= 1 && port <= kMaxPorts; }
}  // namespace

std::size_t ScriptedSerialIo::PendingReads(int port) const {
  return ValidPort(port) ? reads_[port].size() : 0;
}

std::string ScriptedSerialIo::DeviceName(int port) {
  return port == 1 && !chosen_.empty() ? chosen_ : SerialIo::DeviceName(port);
}

int ScriptedSerialIo::sio_open(int port) {
  if (logCalls_) calls_.push_back("open " + std::to_string(port));
  if (refused_.count(port) != 0) return kSioNoPermission;
  if (busy_.count(port) != 0) return kSioInUse;
  if (!ValidPort(port) || openable_.count(port) == 0) return -1;
  open_.insert(port);
  return 0;
}

int ScriptedSerialIo::sio_ioctl(int port, int baud, int mode) {
  if (logCalls_) calls_.push_back("ioctl " + std::to_string(port) + " " + std::to_string(baud) + " " + std::to_string(mode));
  return 0;
}

int ScriptedSerialIo::sio_flowctrl(int port, int mode) {
  if (logCalls_) calls_.push_back("flowctrl " + std::to_string(port) + " " + std::to_string(mode));
  return 0;
}

int ScriptedSerialIo::sio_DTR(int port, int mode) {
  if (logCalls_) calls_.push_back("dtr " + std::to_string(port) + " " + std::to_string(mode));
  return 0;
}

int ScriptedSerialIo::sio_RTS(int port, int mode) {
  if (logCalls_) calls_.push_back("rts " + std::to_string(port) + " " + std::to_string(mode));
  return 0;
}

int ScriptedSerialIo::sio_read(int port, char* buffer, int len) {
  if (logCalls_) calls_.push_back("read " + std::to_string(port) + " " + std::to_string(len));
  if (!ValidPort(port) || open_.count(port) == 0) return 0;
  Bytes next;
  if (!reads_[port].empty()) {
    next = std::move(reads_[port].front());
    reads_[port].pop_front();
  } else if (!source_ || !source_(port, next)) {
    return 0;
  }
  const int n = std::min<int>(len, int(next.size()));
  if (n > 0) std::memcpy(buffer, next.data(), std::size_t(n));
  return n;
}

int ScriptedSerialIo::sio_close(int port) {
  if (logCalls_) calls_.push_back("close " + std::to_string(port));
  open_.erase(port);
  return 0;
}

void ScriptedSerialIo::Wait(int port, int ms) {
  if (logCalls_) calls_.push_back("wait " + std::to_string(port) + " " + std::to_string(ms));
}

}  // namespace lcr
