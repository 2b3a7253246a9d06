#pragma once
// How the link is doing, in words a user can act on: how many ports are being
// searched, which device the meter is on, or that frames stopped coming.
// Widget-free; lcrtool prints the changes, a window can show them.

#include <QDateTime>
#include <string>

#include "app/cycle/cycle.h"

namespace lcr {

// Frames missing for this long count as a silent link.
inline constexpr int kSilentLinkMs = 5000;

enum class LinkHealthState { Stopped, NoPorts, Detecting, Linked, Silent };

struct LinkHealth {
  LinkHealthState state = LinkHealthState::Stopped;
  int portsSearched = 0;  // while detecting
  std::string device;     // while linked or silent: the meter's port
};

// The health the cycle shows now. `started` is whether Start is in force
// (Start pressed, Stop not yet); `device` names the cycle's LinkPort.
LinkHealth ObserveLinkHealth(const Cycle& c, bool started, const std::string& device, const QDateTime& now);

// "Looking for a meter on 3 ports", "Meter on /dev/ttyUSB0",
// "No data for 5 s: check the cable", ...
std::string LinkHealthText(const LinkHealth& h);

}  // namespace lcr
