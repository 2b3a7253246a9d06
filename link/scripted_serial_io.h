#pragma once
// A serial backend for tests and replays: reads come from a script.

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "link/serial_io.h"

namespace lcr {

class ScriptedSerialIo : public SerialIo {
 public:
  using Bytes = std::vector<unsigned char>;

  // Ports that sio_open accepts (default: port 1 only).
  void SetOpenablePorts(std::set<int> ports) { openable_ = std::move(ports); }
  // Ports whose devices exist but refuse this user (sio_open says kSioNoPermission).
  void SetRefusedPorts(std::set<int> ports) { refused_ = std::move(ports); }
  // Ports whose devices another program holds (sio_open says kSioInUse).
  void SetBusyPorts(std::set<int> ports) { busy_ = std::move(ports); }
  // Queue the result of one future read of `port`; an empty read returns 0.
  void QueueRead(int port, Bytes bytes) { reads_[port].push_back(std::move(bytes)); }
  // Asked for the next read of a port whose queue is empty; false when it
  // has none (the read returns 0). Lets a long script be read as it is used.
  void SetReadSource(std::function<bool(int port, Bytes& read)> source) { source_ = std::move(source); }
  // Reads still queued for `port`.
  std::size_t PendingReads(int port) const;
  bool IsOpen(int port) const { return open_.count(port) != 0; }

  // A log of every call, e.g. "open 1", "ioctl 1 12 3", "read 1 2048", "wait 1 30".
  const std::vector<std::string>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }

  int sio_open(int port) override;
  int sio_ioctl(int port, int baud, int mode) override;
  int sio_flowctrl(int port, int mode) override;
  int sio_DTR(int port, int mode) override;
  int sio_RTS(int port, int mode) override;
  int sio_read(int port, char* buffer, int len) override;
  int sio_close(int port) override;
  void Wait(int port, int ms) override;
  // Port 1 takes the chosen device's name; which ports open stays scripted.
  void ChoosePort(const std::string& device) override { chosen_ = device; }
  std::string DeviceName(int port) override;

 private:
  std::string chosen_;
  std::set<int> openable_{1};
  std::set<int> refused_;
  std::set<int> busy_;
  std::set<int> open_;
  std::deque<Bytes> reads_[kMaxPorts + 1];
  std::vector<std::string> calls_;
  std::function<bool(int, Bytes&)> source_;
  bool logCalls_ = true;

 public:
  // Replays of long captures switch the call log off.
  void SetLogCalls(bool on) { logCalls_ = on; }
};

}  // namespace lcr
