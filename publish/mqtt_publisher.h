#pragma once
// Publishes a bench's readings to an MQTT broker through libmosquitto.
//
// The network lives on a thread of its own: it connects (with the bench's
// "offline" status as the last will), reconnects with a back-off from 1 s to
// 30 s, and hands what happened back through a mutex-guarded list. The
// owner's thread only queues: Publish() appends the message to the
// PublishQueue and hands the broker what the in-flight window allows, and
// Pump() takes the acknowledgements back; neither waits on the network.
// Acknowledged messages leave the queue; after a reconnect the rest are sent
// again, so a reading may arrive twice but then with the same seq. Nothing
// is subscribed to: the only packets read from the broker are its
// acknowledgements.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "publish/broker_url.h"
#include "publish/publish_queue.h"
#include "publish/publish_status.h"

struct mosquitto;

namespace lcr {

struct PublisherOptions {
  BrokerUrl url;
  std::string password;  // with url.user; see broker_login.h
  std::string caFile;    // mqtts: this CA instead of the system's store
  std::string bench;     // the topic level under the prefix (bench_name.h)
  std::string queuePath; // the queue's journal (session/publishing.h); empty: memory only
  std::size_t queueLimit = 1'000'000;
  // Messages handed to the broker and not yet acknowledged. libmosquitto
  // walks its list of them on every acknowledgement: a few hundred keep the
  // line full without that walk costing more than the sending.
  std::size_t inflight = 200;
};

class MqttPublisher {
 public:
  explicit MqttPublisher(PublisherOptions options);
  ~MqttPublisher();  // Stop()
  MqttPublisher(const MqttPublisher&) = delete;
  MqttPublisher& operator=(const MqttPublisher&) = delete;

  // Opens the queue (what a crash left in it is sent first) and starts
  // connecting in the background.
  void Start();
  // Queues one reading for PREFIX/BENCH/reading.
  void Publish(std::string payload);
  // The retained PREFIX/BENCH/status: online with the meter's family, or offline.
  void SetOnline(int family);
  void SetOffline();
  // Takes in what the network thread reported and sends what the window
  // allows. Call it often (every 50 ms or so); Publish() calls it too.
  void Pump();
  // Pumps until every queued reading is acknowledged or `limit` has passed;
  // true when the queue is empty.
  bool WaitUntilSent(std::chrono::milliseconds limit);
  // Publishes offline, waits up to `limit` for it, disconnects and ends the
  // network thread. What is still queued stays in the journal.
  void Stop(std::chrono::milliseconds limit = std::chrono::milliseconds(2000));

  PublishStatus Status() const;
  // One line each for what the queue's journal or the client's set-up went
  // through since the last call (the status words carry the rest).
  std::vector<std::string> TakeNotices();

  const std::string& readingTopic() const { return readingTopic_; }
  const std::string& statusTopic() const { return statusTopic_; }
  const std::string& queuePath() const { return options_.queuePath; }
  bool journalled() const { return queue_.journalled(); }

 private:
  struct Event {
    enum Kind { Connected, Refused, Lost, Published } kind;
    int value = 0;  // Published: the message id; Lost: the PublishState to show
    std::string detail;
  };
  void Post(Event e);
  void RunNetwork();
  void PublishStatusMessage();
  void Fill();
  bool WaitForEvents(std::chrono::milliseconds limit);

  PublisherOptions options_;
  std::string readingTopic_, statusTopic_;
  PublishQueue queue_;
  mosquitto* mosq_ = nullptr;
  std::thread network_;
  bool started_ = false;

  // Shared with the network thread.
  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<Event> events_;
  bool stopping_ = false;
  std::string lastLog_;  // libmosquitto's last error line: the TLS failure's reason
  std::atomic<bool> connackSeen_{false};

  // The owner's thread only.
  bool connected_ = false;
  PublishState state_ = PublishState::Off;
  std::string detail_;
  std::unordered_map<int, std::uint64_t> inflight_;  // message id -> queue id
  std::string statusPayload_;
  int statusMid_ = -1;  // the status message in flight; -1 once acknowledged
  std::vector<std::string> notices_;
};

}  // namespace lcr
