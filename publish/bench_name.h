#pragma once
// The name a bench publishes under: one topic level.

#include <string>
#include <string_view>

namespace lcr {

// What may not be typed in a bench name: the topic separator and wildcards.
inline constexpr std::string_view kNotInBenchName = "/+#";
// The longest bench name kept and typed.
inline constexpr std::size_t kMaxBenchNameLength = 64;

// Whether `name` may be kept as a bench name: short enough and none of
// kNotInBenchName (what else topics refuse, TopicLevel replaces).
bool IsBenchName(std::string_view name);

// `text` fit for one topic level: '/', '+', '#', blanks, and what
// libmosquitto refuses (control characters, non-characters, each byte that
// is not UTF-8) become '_'; an empty text becomes "bench".
std::string TopicLevel(std::string_view text);

// The machine's host name, a '-' and the serial port's name without its
// folder ("lab3-ttyUSB0"); the host name alone while no port is chosen.
std::string DefaultBenchName(std::string_view hostName, std::string_view portName);

}  // namespace lcr
