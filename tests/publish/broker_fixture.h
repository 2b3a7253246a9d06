#pragma once
// The publishing tests' broker (local_broker.h) and a libmosquitto
// subscriber that collects what arrives.

#include <mosquitto.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "local_broker.h"

namespace lcrtest {

struct Message {
  std::string topic, payload;
  bool retained = false;
};

// Subscribes to `topic` with QoS 1 in a persistent session, so what is
// published while it reconnects to a restarted broker still reaches it.
class Subscriber {
 public:
  Subscriber(int port, std::string topic) : topic_(std::move(topic)) {
    mosquitto_lib_init();
    const std::string id = "lcrtest-sub-" + std::to_string(::getpid()) + "-" + std::to_string(port);
    m_ = mosquitto_new(id.c_str(), false, this);
    mosquitto_reconnect_delay_set(m_, 1, 1, false);
    mosquitto_connect_callback_set(m_, [](mosquitto* m, void* self, int rc) {
      if (rc == 0) mosquitto_subscribe(m, nullptr, static_cast<Subscriber*>(self)->topic_.c_str(), 1);
    });
    mosquitto_subscribe_callback_set(m_, [](mosquitto*, void* self, int, int, const int*) {
      auto* s = static_cast<Subscriber*>(self);
      std::lock_guard lock(s->mutex_);
      s->subscribed_ = true;
    });
    mosquitto_message_callback_set(m_, [](mosquitto*, void* self, const mosquitto_message* msg) {
      auto* s = static_cast<Subscriber*>(self);
      std::lock_guard lock(s->mutex_);
      s->messages_.push_back({msg->topic, std::string(static_cast<const char*>(msg->payload), std::size_t(msg->payloadlen)),
                              msg->retain});
    });
    mosquitto_connect(m_, "127.0.0.1", port, 30);
    mosquitto_loop_start(m_);
    WaitUntil([&] {
      std::lock_guard lock(mutex_);
      return subscribed_;
    });
  }
  ~Subscriber() {
    mosquitto_disconnect(m_);
    mosquitto_loop_stop(m_, false);
    mosquitto_destroy(m_);
  }
  std::vector<Message> Messages() {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  bool WaitFor(const std::function<bool(const std::vector<Message>&)>& ready, int limitMs = 10000) {
    return WaitUntil([&] { return ready(Messages()); }, limitMs);
  }

 private:
  std::string topic_;
  mosquitto* m_ = nullptr;
  std::mutex mutex_;
  bool subscribed_ = false;
  std::vector<Message> messages_;
};

}  // namespace lcrtest
