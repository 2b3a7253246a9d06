#pragma once
// The meter's end of a serial line: a pseudo-terminal in raw mode that the
// application opens like any serial device, and the loop that streams a
// scenario's frames into it.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>

#include "decode/reading.h"
#include "simulator/scenarios.h"

#if defined(__unix__) || defined(__APPLE__)
#define LCR_SIM_HAVE_PTY 1
#endif

namespace lcr::sim {

class PtyStreamer {
 public:
  PtyStreamer() = default;
  ~PtyStreamer() { Close(); }
  PtyStreamer(const PtyStreamer&) = delete;
  PtyStreamer& operator=(const PtyStreamer&) = delete;

  // Whether this system has pseudo-terminals to offer.
  static bool Supported();

  // Opens a pseudo-terminal pair in raw mode at 9600 baud. False, with a
  // reason in *error, when that fails.
  bool Open(std::string* error);
  // The device path the application opens, e.g. "/dev/pts/3".
  const std::string& DevicePath() const { return device_; }

  // Makes `path` a symbolic link to the device. An older link there is
  // replaced; anything else there is left alone and the call fails.
  bool Link(const std::string& path, std::string* error);

  // Sends bytes as the meter's UART would. Bytes nobody takes in pile up in
  // the line's queue only so far; past that they are dropped, as on a real
  // line. False when the pseudo-terminal itself fails.
  bool Send(const std::uint8_t* data, std::size_t size);

  // Closes both sides and removes the link if it still points here.
  void Close();

 private:
  int master_ = -1;
  int slave_ = -1;  // kept open so the line stays up while nobody has it open
  std::string device_;
  std::string link_;
};

struct StreamOptions {
  Scenario scenario = Scenario::kSteady;
  int family = kFamily730;
  int intervalMs = 250;
};

// Sends one scenario step per interval, from step 0, until `stop` is set.
// False when sending fails.
bool StreamScenario(PtyStreamer& pty, const StreamOptions& options,
                    const std::atomic<bool>& stop);

}  // namespace lcr::sim
