#include "publish/bench_name.h"

#include "publish/topic_text.h"

namespace lcr {

std::string TopicLevel(std::string_view text) {
  std::string out;
  while (!text.empty()) {
    const TopicChar c = FirstTopicChar(text);
    const bool level = c.taken && text[0] != ' ' && kNotInBenchName.find(text[0]) == std::string_view::npos;
    out += level ? text.substr(0, c.length) : std::string_view("_");
    text.remove_prefix(c.length);
  }
  return out.empty() ? "bench" : out;
}

bool IsBenchName(std::string_view name) {
  return name.size() <= kMaxBenchNameLength && name.find_first_of(kNotInBenchName) == std::string_view::npos;
}

std::string DefaultBenchName(std::string_view hostName, std::string_view portName) {
  if (const std::size_t slash = portName.find_last_of("/\\"); slash != std::string_view::npos)
    portName.remove_prefix(slash + 1);
  std::string name(hostName.empty() ? "bench" : hostName);
  if (!portName.empty()) {
    name += '-';
    name += portName;
  }
  return TopicLevel(name);
}

}  // namespace lcr
