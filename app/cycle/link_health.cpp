#include "app/cycle/link_health.h"

namespace lcr {

LinkHealth ObserveLinkHealth(const Cycle& c, bool started, const std::string& device, const QDateTime& now) {
  LinkHealth h;
  if (!started) return h;
  if (c.win.readCom.armed) {
    h.device = device;
    const bool silent = c.lastFrameAt.isValid() && c.lastFrameAt.msecsTo(now) >= kSilentLinkMs;
    h.state = silent ? LinkHealthState::Silent : LinkHealthState::Linked;
    return h;
  }
  for (int port = 1; port <= kMaxPorts; ++port)
    if (c.acq.PortOpen[std::size_t(port)]) ++h.portsSearched;
  h.state = h.portsSearched > 0 ? LinkHealthState::Detecting : LinkHealthState::NoPorts;
  return h;
}

std::string LinkHealthText(const LinkHealth& h) {
  switch (h.state) {
    case LinkHealthState::Stopped:
      return "Stopped";
    case LinkHealthState::NoPorts:
      return "No serial port could be opened; still trying";
    case LinkHealthState::Detecting:
      return "Looking for a meter on " + std::to_string(h.portsSearched) +
             (h.portsSearched == 1 ? " port" : " ports");
    case LinkHealthState::Linked:
      return "Meter on " + h.device;
    case LinkHealthState::Silent:
      return "No data for " + std::to_string(kSilentLinkMs / 1000) + " s: check the cable";
  }
  return {};
}

}  // namespace lcr
