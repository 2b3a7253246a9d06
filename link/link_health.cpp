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
      return "No permission for " + state.device;
    case LinkHealth::Linked:
      return "Meter on " + state.device;
    case LinkHealth::Silent:
      return "No data for " + std::to_string(kSilenceLimitMs / 1000) + " s: check the cable";
    case LinkHealth::InUse:
      return state.device + " is in use by another program";
    case LinkHealth::NoFrames:
      return "Bytes arrive on " + state.device + " but no meter frames";
  }
  return {};
}

std::string LinkHealthAdvice(const LinkHealthState& state) {
  if (state.health == LinkHealth::NoPort && !state.device.empty())
    return "No serial port could be opened: no permission for " + state.device +
           "; add your user to the dialout group (sudo usermod -aG dialout $USER) and log in again";
  return LinkHealthText(state);
}

void NoteStopped(LinkMonitor& m) { m.state = LinkHealthState{}; }

void NoteLooking(LinkMonitor& m, const AcquisitionState& s, SerialIo& io, const std::string& chosen) {
  LinkHealthState next;
  int busyPort = 0, heardPort = 0;
  bool refused = false;
  for (int port = 1; port <= kMaxPorts; ++port) {
    const auto i = std::size_t(port);
    next.openPorts += s.PortOpen[i] ? 1 : 0;
    refused = refused || s.OpenResult[i] == kSioNoPermission;
    if (s.OpenResult[i] == kSioInUse && busyPort == 0) busyPort = port;
    if (s.PortOpen[i] && s.ReadResult[i] > 0 && heardPort == 0) heardPort = port;
  }
  if (busyPort != 0 && !refused) {
    next.health = LinkHealth::InUse;
    next.device = chosen.empty() ? io.DeviceName(busyPort) : chosen;
  } else if (heardPort != 0) {
    next.health = LinkHealth::NoFrames;
    next.device = io.DeviceName(heardPort);
  } else if (next.openPorts > 0) {
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
  m.lastFrame = m.lastBytes = now;
}

void NoteReadPass(LinkMonitor& m, bool decoded, int bytesRead, const QDateTime& now) {
  const LinkHealth h = m.state.health;
  if (h != LinkHealth::Linked && h != LinkHealth::Silent && h != LinkHealth::NoFrames) return;
  if (bytesRead > 0) m.lastBytes = now;
  if (decoded) {
    m.lastFrame = now;
    m.state.health = LinkHealth::Linked;
  } else if (m.lastFrame.msecsTo(now) >= kSilenceLimitMs) {
    // Bytes within the last stretch: the line lives, but not with a meter.
    const bool heard = m.lastBytes.msecsTo(now) < kSilenceLimitMs && m.lastBytes > m.lastFrame;
    m.state.health = heard ? LinkHealth::NoFrames : LinkHealth::Silent;
  }
}

}  // namespace lcr
