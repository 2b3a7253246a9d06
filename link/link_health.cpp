#include "link/link_health.h"

namespace lcr {

std::string LinkHealthText(const LinkHealthState& state) {
  switch (state.health) {
    case LinkHealth::Stopped:
      return "Stopped";
    case LinkHealth::Looking:
      if (!state.device.empty()) return "Looking for a meter on " + state.device;
      return "Looking for a meter on " + std::to_string(state.openPorts) +
             (state.openPorts == 1 ? " port" : " ports");
    case LinkHealth::Waiting:
      return "Waiting for " + state.device;
    case LinkHealth::NoPort:
      if (state.device.empty()) return "No serial port could be opened";
      return "No serial port could be opened: no permission for " + state.device +
             "; add your user to the dialout group (sudo usermod -aG dialout $USER) and log in again";
    case LinkHealth::Linked:
      return "Meter on " + state.device;
    case LinkHealth::Silent:
      return "No data for " + std::to_string(kSilenceLimitMs / 1000) + " s: check the cable";
  }
  return {};
}

void NoteStopped(LinkMonitor& m) { m.state = LinkHealthState{}; }

void NoteLooking(LinkMonitor& m, const AcquisitionState& s, SerialIo& io, const std::string& chosen) {
  LinkHealthState next;
  for (int port = 1; port <= kMaxPorts; ++port) next.openPorts += s.PortOpen[std::size_t(port)] ? 1 : 0;
  if (next.openPorts > 0) {
    next.health = LinkHealth::Looking;
    next.device = chosen;  // a chosen port is named as the user chose it
  } else if (!chosen.empty() && s.OpenResult[1] != kSioNoPermission) {
    // Absent, not refused: it is tried again at every detection pass.
    next.health = LinkHealth::Waiting;
    next.device = chosen;
  } else {
    next.health = LinkHealth::NoPort;
    for (int port = 1; port <= kMaxPorts; ++port) {
      if (s.OpenResult[std::size_t(port)] != kSioNoPermission) continue;
      next.device = io.DeviceName(port);
      break;
    }
  }
  m.state = next;
}

void NoteLinked(LinkMonitor& m, const AcquisitionState& s, SerialIo& io, const QDateTime& now) {
  m.state = LinkHealthState{LinkHealth::Linked, 0, io.DeviceName(s.LinkPort)};
  m.lastFrame = now;
}

void NoteReadPass(LinkMonitor& m, bool decoded, const QDateTime& now) {
  if (m.state.health != LinkHealth::Linked && m.state.health != LinkHealth::Silent) return;
  if (decoded) {
    m.lastFrame = now;
    m.state.health = LinkHealth::Linked;
  } else if (m.lastFrame.msecsTo(now) >= kSilenceLimitMs) {
    m.state.health = LinkHealth::Silent;
  }
}

}  // namespace lcr
