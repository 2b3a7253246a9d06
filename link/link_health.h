#pragma once
// What the user needs to know about the link, in plain words: the fifth
// status panel of the main window and the stderr lines of `lcrtool watch`.
// The cycle keeps one LinkHealthState and raises a change whenever it moves;
// the Note* functions below say how each event of the cycle moves it.

#include <QDateTime>
#include <string>

#include "link/acquisition_state.h"
#include "link/serial_io.h"

namespace lcr {

enum class LinkHealth {
  Stopped,  // no Start yet, or Stop
  Looking,  // detection runs over `openPorts` ports (or the chosen `device`)
  Waiting,  // the chosen port `device` is not there; detection waits for it
  NoPort,   // Start found no port it could open
  Linked,   // a meter on `device`, frames arriving
  Silent,   // a meter on `device`, but no frame for kSilenceLimitMs
  InUse,    // `device` would not open because another program holds it
  NoFrames, // bytes arrive on `device` (detecting, or no frame for
            // kSilenceLimitMs while linked), but none forms a meter frame
};

// How long a linked port may stay quiet before the cable is suspected.
inline constexpr int kSilenceLimitMs = 5000;

struct LinkHealthState {
  LinkHealth health = LinkHealth::Stopped;
  int openPorts = 0;   // Looking: the ports being read
  std::string device;  // Linked, Silent: the device behind LinkPort;
                       // NoPort: the first port refused for lack of permission, or "";
                       // InUse, NoFrames: the port the words are about

  friend bool operator==(const LinkHealthState&, const LinkHealthState&) = default;
};

// "Stopped", "Looking for a meter on 3 ports" (or "on /dev/ttyUSB0" for a
// chosen port), "Waiting for /dev/ttyUSB0", "No serial port could be
// opened" (or "No permission for /dev/ttyUSB0"), "Meter on /dev/ttyUSB0",
// "No data for 5 s: check the cable", "/dev/ttyUSB0 is in use by another
// program", "Bytes arrive on /dev/ttyUSB0 but no meter frames". Short
// enough for the status panel; UTF-8.
std::string LinkHealthText(const LinkHealthState& state);
// The same, with what to do about it where there is more to say (the
// permission fix): the panel's tooltip and lcrtool's stderr.
std::string LinkHealthAdvice(const LinkHealthState& state);

// The state and the moment of the last frame, as the cycle keeps them.
struct LinkMonitor {
  LinkHealthState state;
  QDateTime lastFrame;  // the last read pass that decoded a frame, while linked
  QDateTime lastBytes;  // the last read pass that read any byte, while linked
};

// Stop.
void NoteStopped(LinkMonitor& m);
// Start, or a detection pass that found no meter while running: looking on
// the ports that are open now, or no port at all. With a `chosen` port
// (port 1, alone), looking on it or waiting for it. A port held by another
// program, when no port was refused otherwise, is named; so is the first
// port whose last read brought bytes that held no meter.
void NoteLooking(LinkMonitor& m, const AcquisitionState& s, SerialIo& io, const std::string& chosen = {});
// A detection pass found a meter on LinkPort.
void NoteLinked(LinkMonitor& m, const AcquisitionState& s, SerialIo& io, const QDateTime& now);
// A read pass while linked; `decoded` when it decoded at least one frame,
// `bytesRead` the result of its read.
void NoteReadPass(LinkMonitor& m, bool decoded, int bytesRead, const QDateTime& now);

}  // namespace lcr
