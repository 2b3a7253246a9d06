#include "publish/broker_url.h"

#include <charconv>

#include "publish/topic_text.h"

namespace lcr {

namespace {

bool Fail(std::string* why, std::string_view text, const std::string& reason) {
  if (why) *why = "bad broker URL \"" + std::string(text) + "\": " + reason;
  return false;
}

// A topic level may not hold the wildcards, and no part of the URL a control
// character or a blank (they end up in topics and log lines).
bool PlainText(std::string_view s) {
  for (unsigned char c : s)
    if (c <= ' ' || c == 0x7f) return false;
  return true;
}

}  // namespace

bool HasBrokerScheme(std::string_view text) { return text.starts_with("mqtt://") || text.starts_with("mqtts://"); }

std::optional<BrokerUrl> ParseBrokerUrl(std::string_view text, std::string* why) {
  BrokerUrl url;
  std::string_view rest = text;
  if (rest.starts_with("mqtt://")) {
    rest.remove_prefix(7);
  } else if (rest.starts_with("mqtts://")) {
    rest.remove_prefix(8);
    url.tls = true;
    url.port = kMqttsPort;
  } else {
    Fail(why, text, "it must start with mqtt:// or mqtts://");
    return std::nullopt;
  }
  if (!PlainText(rest)) {
    Fail(why, text, "it holds a blank or a control character");
    return std::nullopt;
  }
  if (!IsTopicText(rest)) {  // the prefix goes into topics, the user name into the login
    Fail(why, text, "it holds a control character, a non-character or bytes that are not UTF-8");
    return std::nullopt;
  }
  const std::size_t slash = rest.find('/');
  if (slash == std::string_view::npos) {
    Fail(why, text, "the topic prefix is missing (mqtt://host/prefix)");
    return std::nullopt;
  }
  std::string_view authority = rest.substr(0, slash);
  std::string_view prefix = rest.substr(slash + 1);
  while (prefix.ends_with('/')) prefix.remove_suffix(1);
  if (prefix.empty()) {
    Fail(why, text, "the topic prefix is missing (mqtt://host/prefix)");
    return std::nullopt;
  }
  if (prefix.find_first_of("+#?") != std::string_view::npos) {
    Fail(why, text, "the topic prefix may not hold '+', '#' or '?'");
    return std::nullopt;
  }
  if (prefix.find("//") != std::string_view::npos) {
    Fail(why, text, "the topic prefix has an empty level");
    return std::nullopt;
  }
  url.prefix = std::string(prefix);

  if (const std::size_t at = authority.rfind('@'); at != std::string_view::npos) {
    const std::string_view user = authority.substr(0, at);
    if (user.find(':') != std::string_view::npos) {
      Fail(why, text, "a password is never given in the URL; use LCR_TAVRIK_MQTT_PASSWORD or --mqtt-password-file");
      return std::nullopt;
    }
    if (user.empty()) {
      Fail(why, text, "the user name before '@' is empty");
      return std::nullopt;
    }
    url.user = std::string(user);
    authority.remove_prefix(at + 1);
  }

  std::string_view portText;
  if (authority.starts_with('[')) {  // [IPv6]:port
    const std::size_t close = authority.find(']');
    if (close == std::string_view::npos) {
      Fail(why, text, "the IPv6 address lacks its ']'");
      return std::nullopt;
    }
    url.host = std::string(authority.substr(1, close - 1));
    std::string_view after = authority.substr(close + 1);
    if (!after.empty() && !after.starts_with(':')) {
      Fail(why, text, "only a :port may follow the IPv6 address");
      return std::nullopt;
    }
    if (!after.empty()) portText = after.substr(1);
    if (after == ":") portText = ":";  // an empty port, refused below
  } else {
    const std::size_t colon = authority.find(':');
    url.host = std::string(authority.substr(0, colon));
    if (colon != std::string_view::npos) portText = authority.substr(colon + 1), portText = portText.empty() ? ":" : portText;
  }
  if (url.host.empty()) {
    Fail(why, text, "the host is missing");
    return std::nullopt;
  }
  if (!portText.empty()) {
    int port = 0;
    const auto r = std::from_chars(portText.data(), portText.data() + portText.size(), port);
    if (r.ec != std::errc{} || r.ptr != portText.data() + portText.size() || port < 1 || port > 65535) {
      Fail(why, text, "the port must be a number from 1 to 65535");
      return std::nullopt;
    }
    url.port = port;
  }
  return url;
}

std::string HostPort(const BrokerUrl& url) {
  const bool v6 = url.host.find(':') != std::string::npos;
  return (v6 ? "[" + url.host + "]" : url.host) + ":" + std::to_string(url.port);
}

}  // namespace lcr
