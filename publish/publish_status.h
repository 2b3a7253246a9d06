#pragma once
// How publishing goes, in words for the status panel and lcrtool's stderr.

#include <chrono>
#include <cstdint>
#include <string>

namespace lcr {

enum class PublishState {
  Off,          // not started, or stopped
  Connecting,   // the first attempt is under way
  Publishing,   // linked to the broker
  Unreachable,  // the broker cannot be reached; readings wait
  Refused,      // the broker refused the login
  UnknownHost,  // the broker's host name does not resolve
  TlsFailure,   // the TLS handshake or its set-up failed
  CannotPublish,  // the client refuses the message it is given (its topic, ...); readings wait
};

struct PublishStatus {
  PublishState state = PublishState::Off;
  std::string hostPort;      // "host:1883"
  std::string detail;        // UnknownHost: the host; TlsFailure, CannotPublish: the reason
  std::size_t waiting = 0;   // readings not yet acknowledged
  std::uint64_t dropped = 0; // readings dropped past the queue's limit
  bool inMemoryOnly = false; // the queue's journal cannot be used: what waits dies with the program

  friend bool operator==(const PublishStatus&, const PublishStatus&) = default;
};

// "Publishing to host:1883", "Broker unreachable: 1 234 readings waiting",
// "Broker refused the login", "Unknown host: name", "TLS failure with
// host:8883: reason", "Cannot publish to host:1883: reason", "Connecting to
// host:1883", "Not publishing"; with
// "; 12 oldest readings dropped" after it once any were, and "Publish queue
// in memory only; " before it while the journal cannot be used (first, so
// that a narrow panel still shows it).
std::string PublishStatusText(const PublishStatus& s);

// Whether a line on stderr should tell `now`, the last told being `told`
// `sinceTold` ago: at once when the state, its detail, the first drop or the
// journal's use changes; the counts of a lasting outage at most every 10 s.
bool WorthTelling(const PublishStatus& told, const PublishStatus& now, std::chrono::steady_clock::duration sinceTold);

// 1234567 as "1 234 567".
std::string GroupedCount(std::uint64_t n);

}  // namespace lcr
