#pragma once
// Publishing a session's readings to a broker: the settings read into a
// publisher's options, and the adapter that hangs a publisher on a Cycle.
//
// The window and lcrtool both do:
//   lcr::PublisherOptions options;
//   if (!lcr::MakePublisherOptions(settings, portName, &options, &why)) ...say why...
//   lcr::CyclePublishing publishing(cycle, std::make_unique<lcr::MqttPublisher>(options));
//   publishing.onStatusChanged = [](const std::string& words) { ... panel or stderr ... };
//   publishing.onNotice = [](const std::string& line) { ... };
// and, at the end, publishing.Finish(limit) and UnsentText(publishing.publisher()).

#include <QTimer>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "publish/mqtt_publisher.h"
#include "session/session_state.h"

namespace lcr {

struct PublishSettings {
  std::string url;           // "Publish to"; empty: publishing is off
  std::string bench;         // empty: DefaultBenchName(host name, port)
  std::string caFile;        // --mqtt-ca
  std::string passwordFile;  // --mqtt-password-file; without it LCR_TAVRIK_MQTT_PASSWORD
};

// The queue's journal of a bench, beside the recovery file.
std::string PublishQueuePath(const std::string& bench);

// The options for `settings`, with `portName` (the chosen port, "" for
// none) in the default bench name; false with one clear line in `why` for
// a bad URL or an unusable password file.
bool MakePublisherOptions(const PublishSettings& settings, const std::string& portName, PublisherOptions* options,
                          std::string* why);

// What the end left unsent, in words, "" when nothing: "N readings not
// acknowledged by the broker are kept in FILE and sent at the next start",
// or "... are lost: ..." when the queue's journal could not be written.
std::string UnsentText(const MqttPublisher& publisher);

// Publishes every sample the cycle records and the bench's status: online
// with the family while linked to a meter, offline otherwise. A session
// (a new id, seq from 1) begins when it is attached and at every Start.
// Chains the cycle's onSampleRecorded and onLinkHealthChanged (the hooks set
// before it still run) and restores them when destroyed; adapters attached
// later must go first; destroy it before the cycle. Pumps the publisher
// every 50 ms on the Qt event loop of the thread that made it.
class CyclePublishing {
 public:
  CyclePublishing(Cycle& c, std::unique_ptr<MqttPublisher> publisher);
  ~CyclePublishing();
  CyclePublishing(const CyclePublishing&) = delete;
  CyclePublishing& operator=(const CyclePublishing&) = delete;

  MqttPublisher& publisher() { return *publisher_; }
  std::string statusText() const { return PublishStatusText(publisher_->Status()); }
  const std::string& sessionId() const { return session_; }

  // The status words, whenever they change (every pump at most).
  std::function<void(const std::string& words)> onStatusChanged;
  // A line about the queue's journal or the client's set-up.
  std::function<void(const std::string& line)> onNotice;

  // Pumps now: tells status changes and notices (the first call tells the
  // status words as they are). The timer calls it.
  void Pump();
  // The end: waits for the queue to empty while the broker keeps
  // acknowledging, giving up after `quiet` without an acknowledgement; then
  // publishes offline and disconnects. What is left stays in the journal for
  // the next start. True when nothing was left unsent.
  bool Finish(std::chrono::milliseconds quiet);

 private:
  void NewSession();
  void OnSample();
  void OnLinkHealth();
  // Online with the family while linked to a meter, offline otherwise.
  void FollowLink();

  Cycle& c_;
  std::unique_ptr<MqttPublisher> publisher_;
  std::function<void()> previousSample_, previousHealth_;
  std::string session_;
  std::uint64_t seq_ = 0;
  LinkHealth health_ = LinkHealth::Stopped;
  int onlineFamily_ = -1;  // the family published as online; -1 while offline
  std::string lastWords_;
  QTimer timer_;
};

}  // namespace lcr
