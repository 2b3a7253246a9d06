#pragma once
// The JSON line lcrtool replay prints for a display tick that recorded a sample.

#include <string>

#include "session/cycle.h"

namespace lcrtool {

std::string FormatReplayLine(const lcr::Cycle& c, long long tick);

}  // namespace lcrtool
