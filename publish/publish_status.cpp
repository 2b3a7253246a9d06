#include "publish/publish_status.h"

namespace lcr {

std::string GroupedCount(std::uint64_t n) {
  const std::string digits = std::to_string(n);
  std::string out;
  for (std::size_t k = 0; k < digits.size(); ++k) {
    if (k > 0 && (digits.size() - k) % 3 == 0) out += ' ';
    out += digits[k];
  }
  return out;
}

namespace {

std::string Readings(std::uint64_t n) { return GroupedCount(n) + (n == 1 ? " reading" : " readings"); }

}  // namespace

std::string PublishStatusText(const PublishStatus& s) {
  std::string text;
  switch (s.state) {
    case PublishState::Off: text = "Not publishing"; break;
    case PublishState::Connecting: text = "Connecting to " + s.hostPort; break;
    case PublishState::Publishing: text = "Publishing to " + s.hostPort; break;
    case PublishState::Unreachable: text = "Broker unreachable: " + Readings(s.waiting) + " waiting"; break;
    case PublishState::Refused: text = "Broker refused the login"; break;
    case PublishState::UnknownHost: text = "Unknown host: " + s.detail; break;
    case PublishState::TlsFailure:
      text = "TLS failure with " + s.hostPort + (s.detail.empty() ? "" : ": " + s.detail);
      break;
    case PublishState::CannotPublish: text = "Cannot publish to " + s.hostPort + ": " + s.detail; break;
  }
  if (s.dropped > 0) text += "; " + GroupedCount(s.dropped) + " oldest readings dropped";
  if (s.inMemoryOnly) text.insert(0, "Publish queue in memory only; ");
  return text;
}

bool WorthTelling(const PublishStatus& told, const PublishStatus& now, std::chrono::steady_clock::duration sinceTold) {
  if (now.state != told.state || now.detail != told.detail || (now.dropped > 0) != (told.dropped > 0) ||
      now.inMemoryOnly != told.inMemoryOnly)
    return true;
  const bool countsMoved = now.dropped != told.dropped || (now.state != PublishState::Publishing && now.waiting != told.waiting);
  return countsMoved && sinceTold >= std::chrono::seconds(10);
}

}  // namespace lcr
