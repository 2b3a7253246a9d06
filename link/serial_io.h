#pragma once
// The serial library the acquisition cycle talks to: ports numbered 1 to 50,
// each call returning at once. The cycle relies only on the results named
// here; everything else is up to the backend.

#include <cstdint>
#include <string>

namespace lcr {

inline constexpr int kMaxPorts = 50;
inline constexpr int kReadChunk = 2048;

// Library codes passed by the cycle.
inline constexpr int kBaud9600 = 12;
inline constexpr int kMode8N1 = 3;

// The one open failure the cycle tells apart: the device exists, but this
// user may not open it (the status bar then says how to get the right).
inline constexpr int kSioNoPermission = -5;
// The device exists and this user may open it, but another program holds it.
inline constexpr int kSioInUse = -6;

class SerialIo {
 public:
  virtual ~SerialIo() = default;

  // 0 when the port was opened; anything else means it was not
  // (kSioNoPermission when the user lacks the right to open the device,
  // kSioInUse when another program holds it).
  virtual int sio_open(int port) = 0;
  // Results of the four configuration calls are ignored by the cycle.
  virtual int sio_ioctl(int port, int baud, int mode) = 0;
  virtual int sio_flowctrl(int port, int mode) = 0;
  virtual int sio_DTR(int port, int mode) = 0;
  virtual int sio_RTS(int port, int mode) = 0;
  // Returns at once: the number of bytes copied (at most len); 0 or negative
  // when nothing was read, including on a port that is not open.
  virtual int sio_read(int port, char* buffer, int len) = 0;
  // Result ignored; also called for ports that were never opened.
  virtual int sio_close(int port) = 0;

  // The read pass's one blocking wait (the top-up read's 30 ms). A backend
  // that buffers bytes from an event loop uses it to take in what arrives
  // meanwhile; a scripted backend returns at once.
  virtual void Wait(int port, int ms) = 0;

  // The device behind a port number, as the user knows it ("/dev/ttyUSB0");
  // by default the port's number after "COM".
  virtual std::string DeviceName(int port) { return "COM" + std::to_string(port); }

  // The user's port choice, given at each Start: `device` becomes port 1
  // and no other port exists; "" gives the backend's own ports 1 to 50 back.
  virtual void ChoosePort(const std::string& device) { (void)device; }
};

}  // namespace lcr
