#pragma once
// Standard output that remembers its first failure: a full disk or a closed
// terminal behind stdout is an error like any other failed write, so a verb
// that printed into nothing says so and ends with status 1.

#include <string_view>

namespace lcrtool {

// Writes to stdout; false once any write has failed (nothing more is tried).
bool Print(std::string_view bytes);
// Flushes stdout; false once any write has failed.
bool FlushOutput();
// Flushes, and when anything was lost says so on stderr under `verb`
// ("lcrtool replay: standard output could not be written: ..."). True when
// everything printed reached stdout.
bool OutputComplete(const char* verb);

}  // namespace lcrtool
