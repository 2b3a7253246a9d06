#pragma once
// Readings for the decoder tests, shared with the fuzz targets.

#include <initializer_list>
#include <string>
#include <utility>

#include "decode/reading.h"

namespace lcrtest {

// A Reading whose fields all hold recognisable leftovers of an earlier frame,
// text no decoder writes: decoding into it shows which fields a decode
// leaves alone.
inline lcr::Reading LeftoverReading() {
  lcr::Reading r;
  r.DisplayCodes = std::string(80, '1');
  r.MainValue = "old main";
  r.SubValue = "old sub";
  r.MainRange = "old main range";
  r.SubRange = "old sub range";
  r.MainFunction = "old main function";
  r.SubFunction = "old sub function";
  r.FrameStatus = "1";
  r.SegmentFlags = "old segments";
  return r;
}

// Blank DisplayCodes with the given positions (counted from 1) replaced.
inline std::string Codes(std::initializer_list<std::pair<int, char>> set) {
  std::string codes(lcr::kBlankDisplayCodes);
  for (const auto& [position, c] : set) codes[std::size_t(position - 1)] = c;
  return codes;
}

}  // namespace lcrtest
