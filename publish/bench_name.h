#pragma once
// The name a bench publishes under: one topic level.

#include <string>
#include <string_view>

namespace lcr {

// `text` fit for one topic level: '/', '+', '#', blanks, and what
// libmosquitto refuses (control characters, non-characters, each byte that
// is not UTF-8) become '_'; an empty text becomes "bench".
std::string TopicLevel(std::string_view text);

// The machine's host name, a '-' and the serial port's name without its
// folder ("lab3-ttyUSB0"); the host name alone while no port is chosen.
std::string DefaultBenchName(std::string_view hostName, std::string_view portName);

}  // namespace lcr
