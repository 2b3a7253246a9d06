#pragma once
// What libmosquitto takes in a topic, a client id or a user name: UTF-8
// without control characters (C0, DEL, C1) or non-characters. It refuses
// anything else with MOSQ_ERR_MALFORMED_UTF8, so a text that reaches it must
// pass here first. The rule is the library's own (mosquitto_validate_utf8).

#include <cstddef>
#include <string_view>

namespace lcr {

struct TopicChar {
  std::size_t length = 1;  // a well-formed UTF-8 sequence's length; 1 for a stray byte
  bool taken = false;      // whether libmosquitto takes it
};

// The character `text` starts with (`text` is not empty).
TopicChar FirstTopicChar(std::string_view text);

// Whether libmosquitto takes every character of `text`.
bool IsTopicText(std::string_view text);

}  // namespace lcr
