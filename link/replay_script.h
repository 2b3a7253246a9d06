#pragma once
// Scripted serial reads in text form: one line per sio_read result.
//   hex byte pairs separated by blanks  -> a read returning those bytes (<= 2048)
//   an empty line, or "-"               -> a read returning 0
//   a line starting with '#'            -> a comment
// Any other line is malformed.

#include <string>
#include <string_view>
#include <vector>

namespace lcr {

struct ReplayScript {
  std::vector<std::vector<unsigned char>> reads;
};

// False on a malformed line; *error then names the line and the fault.
bool ParseReplayScript(std::string_view text, ReplayScript& out, std::string* error);

}  // namespace lcr
