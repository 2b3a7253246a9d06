#pragma once
// Where readings are published: `mqtt://[user@]host[:port]/prefix` or
// `mqtts://...` (TLS). The password never comes with the URL.

#include <optional>
#include <string>
#include <string_view>

namespace lcr {

inline constexpr int kMqttPort = 1883;
inline constexpr int kMqttsPort = 8883;

struct BrokerUrl {
  bool tls = false;
  std::string user;    // empty: no login
  std::string host;    // a name, an IPv4 address, or an IPv6 address without its brackets
  int port = kMqttPort;
  std::string prefix;  // the topics' first levels, without the slashes around it
};

// The URL read, or none with the reason in `why` ("mqtt://host/prefix: ...").
std::optional<BrokerUrl> ParseBrokerUrl(std::string_view text, std::string* why);

// Whether `text` starts with a scheme published to (mqtt:// or mqtts://).
bool HasBrokerScheme(std::string_view text);

// "host:1883" ("[::1]:1883" for an IPv6 address), as the status words name the broker.
std::string HostPort(const BrokerUrl& url);

}  // namespace lcr
