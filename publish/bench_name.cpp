#include "publish/bench_name.h"

namespace lcr {

std::string TopicLevel(std::string_view text) {
  std::string out;
  for (unsigned char c : text) out += (c <= ' ' || c == 0x7f || c == '/' || c == '+' || c == '#') ? '_' : char(c);
  return out.empty() ? "bench" : out;
}

std::string DefaultBenchName(std::string_view hostName, std::string_view portName) {
  if (const std::size_t slash = portName.find_last_of("/\\"); slash != std::string_view::npos)
    portName.remove_prefix(slash + 1);
  std::string name(hostName.empty() ? "bench" : hostName);
  if (!portName.empty()) name += "-" + std::string(portName);
  return TopicLevel(name);
}

}  // namespace lcr
