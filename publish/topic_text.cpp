#include "publish/topic_text.h"

#include <mosquitto.h>

namespace lcr {

TopicChar FirstTopicChar(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text[0]);
  const std::size_t n = lead < 0x80 ? 1 : (lead & 0xE0) == 0xC0 ? 2 : (lead & 0xF0) == 0xE0 ? 3 : (lead & 0xF8) == 0xF0 ? 4 : 0;
  if (n == 0 || n > text.size()) return {};
  for (std::size_t k = 1; k < n; ++k)
    if ((static_cast<unsigned char>(text[k]) & 0xC0) != 0x80) return {};
  // One whole sequence at a time: the library reads past a sequence cut short at the end.
  return {n, mosquitto_validate_utf8(text.data(), int(n)) == MOSQ_ERR_SUCCESS};
}

bool IsTopicText(std::string_view text) {
  while (!text.empty()) {
    const TopicChar c = FirstTopicChar(text);
    if (!c.taken) return false;
    text.remove_prefix(c.length);
  }
  return true;
}

}  // namespace lcr
