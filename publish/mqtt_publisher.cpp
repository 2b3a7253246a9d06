#include "publish/mqtt_publisher.h"

#include <mosquitto.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "publish/reading_message.h"

namespace lcr {

namespace {

constexpr int kKeepAliveSeconds = 15;
constexpr int kBackoffFirstSeconds = 1;
constexpr int kBackoffLastSeconds = 30;

std::once_flag g_libInit;

// "OpenSSL Error[0]: error:0A000086:SSL routines::certificate verify failed"
// -> "certificate verify failed".
std::string TlsReason(const std::string& log) {
  const std::size_t colon = log.rfind(':');
  std::string reason = colon == std::string::npos ? log : log.substr(colon + 1);
  reason.erase(0, reason.find_first_not_of(' '));
  return reason;
}

}  // namespace

MqttPublisher::MqttPublisher(PublisherOptions options)
    : options_(std::move(options)),
      readingTopic_(ReadingTopic(options_.url.prefix, options_.bench)),
      statusTopic_(StatusTopic(options_.url.prefix, options_.bench)),
      queue_(PublishQueue::Options{options_.queuePath, options_.queueLimit}),
      statusPayload_(OfflinePayload()) {}

MqttPublisher::~MqttPublisher() {
  Stop(std::chrono::milliseconds(0));
  if (mosq_) mosquitto_destroy(mosq_);
}

void MqttPublisher::Post(Event e) {
  {
    std::lock_guard lock(mutex_);
    events_.push_back(std::move(e));
  }
  wake_.notify_all();
}

void MqttPublisher::Start() {
  if (started_) return;
  if (const std::size_t left = queue_.Open(); left > 0)
    notices_.push_back(GroupedCount(left) + " readings a previous run left unsent are sent first");
  std::call_once(g_libInit, [] { mosquitto_lib_init(); });
  const std::string id = "lcr-tavrik-" + options_.bench + "-" + std::to_string(::getpid());
  mosq_ = mosquitto_new(id.c_str(), true, this);
  state_ = PublishState::Connecting;
  if (!mosq_) {
    state_ = PublishState::Unreachable;
    notices_.push_back(std::string("cannot set up the MQTT client: ") + std::strerror(errno));
    return;
  }
  mosquitto_int_option(mosq_, MOSQ_OPT_PROTOCOL_VERSION, MQTT_PROTOCOL_V311);
  mosquitto_threaded_set(mosq_, true);
  mosquitto_max_inflight_messages_set(mosq_, 0);  // the window is ours (options_.inflight)
  const std::string offline = OfflinePayload();
  int rc = mosquitto_will_set(mosq_, statusTopic_.c_str(), int(offline.size()), offline.data(), 1, true);
  if (rc == MOSQ_ERR_SUCCESS && !options_.url.user.empty())
    rc = mosquitto_username_pw_set(mosq_, options_.url.user.c_str(),
                                   options_.password.empty() ? nullptr : options_.password.c_str());
  if (rc != MOSQ_ERR_SUCCESS) {  // a topic or user name the library refuses (not UTF-8, ...)
    state_ = PublishState::CannotPublish;
    detail_ = mosquitto_strerror(rc);
    return;  // readings still go into the queue, for a later run
  }
  if (options_.url.tls) {
    if (options_.caFile.empty()) {
      rc = mosquitto_tls_set(mosq_, nullptr, "/etc/ssl/certs", nullptr, nullptr, nullptr);
      if (rc == MOSQ_ERR_SUCCESS) rc = mosquitto_int_option(mosq_, MOSQ_OPT_TLS_USE_OS_CERTS, 1);
    } else {
      rc = mosquitto_tls_set(mosq_, options_.caFile.c_str(), nullptr, nullptr, nullptr, nullptr);
    }
    if (rc != MOSQ_ERR_SUCCESS) {
      state_ = PublishState::TlsFailure;
      detail_ = options_.caFile.empty() ? "the system's CA store cannot be used"
                                        : "cannot use the CA file " + options_.caFile;
      return;  // readings still go into the queue, for a later run
    }
  }

  mosquitto_connect_callback_set(mosq_, [](mosquitto*, void* self, int rc) {
    auto* p = static_cast<MqttPublisher*>(self);
    if (rc == 0) p->connackSeen_ = true;
    if (rc == 0) p->Post({Event::Connected, 0, {}});
    else p->Post({Event::Refused, rc, mosquitto_connack_string(rc)});
  });
  mosquitto_publish_callback_set(mosq_, [](mosquitto*, void* self, int mid) {
    static_cast<MqttPublisher*>(self)->Post({Event::Published, mid, {}});
  });
  mosquitto_log_callback_set(mosq_, [](mosquitto*, void* self, int level, const char* text) {
    if (level != MOSQ_LOG_ERR || !text) return;
    auto* p = static_cast<MqttPublisher*>(self);
    std::lock_guard lock(p->mutex_);
    p->lastLog_ = text;
  });
  started_ = true;
  network_ = std::thread([this] { RunNetwork(); });
}

// The network thread: connect, run the client until the link breaks, wait
// the back-off, again; until Stop.
void MqttPublisher::RunNetwork() {
  int backoff = kBackoffFirstSeconds;
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
      lastLog_.clear();
    }
    int rc = mosquitto_connect_async(mosq_, options_.url.host.c_str(), options_.url.port, kKeepAliveSeconds);
    int err = errno;
    if (rc == MOSQ_ERR_SUCCESS) {
      bool disconnecting = false;
      std::chrono::steady_clock::time_point stopAsked;
      for (;;) {
        rc = mosquitto_loop(mosq_, 100, 1);
        err = errno;
        if (rc != MOSQ_ERR_SUCCESS) break;
        bool stopping = false;
        {
          std::lock_guard lock(mutex_);
          stopping = stopping_;
        }
        // Not under the lock: libmosquitto may log while it disconnects, and
        // the log callback takes the lock.
        if (stopping && !disconnecting) {
          disconnecting = true;
          stopAsked = std::chrono::steady_clock::now();
          mosquitto_disconnect(mosq_);
        } else if (disconnecting && std::chrono::steady_clock::now() - stopAsked > std::chrono::seconds(1)) {
          return;
        }
      }
    }
    std::string log;
    {
      std::lock_guard lock(mutex_);
      if (stopping_) return;
      log = lastLog_;
    }
    if (rc == MOSQ_ERR_EAI) {
      Post({Event::Lost, int(PublishState::UnknownHost), options_.url.host});
    } else if (rc == MOSQ_ERR_TLS || (options_.url.tls && log.find("SSL") != std::string::npos)) {
      Post({Event::Lost, int(PublishState::TlsFailure), TlsReason(log)});
    } else {
      Post({Event::Lost, int(PublishState::Unreachable),
            rc == MOSQ_ERR_ERRNO ? std::strerror(err) : mosquitto_strerror(rc)});
    }
    // A connection the broker accepted starts the back-off over.
    if (connackSeen_.exchange(false)) backoff = kBackoffFirstSeconds;
    std::unique_lock lock(mutex_);
    if (wake_.wait_for(lock, std::chrono::seconds(backoff), [this] { return stopping_; })) return;
    backoff = std::min(backoff * 2, kBackoffLastSeconds);
  }
}

void MqttPublisher::PublishStatusMessage() {
  int mid = 0;
  if (mosquitto_publish(mosq_, &mid, statusTopic_.c_str(), int(statusPayload_.size()), statusPayload_.data(), 1,
                        true) == MOSQ_ERR_SUCCESS) {
    statusMid_ = mid;
  }
}

void MqttPublisher::SetOnline(int family) {
  statusPayload_ = OnlinePayload(family);
  if (connected_) PublishStatusMessage();
}

void MqttPublisher::SetOffline() {
  statusPayload_ = OfflinePayload();
  if (connected_) PublishStatusMessage();
}

void MqttPublisher::Publish(std::string payload) {
  queue_.Push(readingTopic_, std::move(payload));
  Pump();
}

void MqttPublisher::Fill() {
  while (connected_ && inflight_.size() < options_.inflight) {
    const QueuedMessage* m = queue_.Next();
    if (!m) return;
    int mid = 0;
    const int rc =
        mosquitto_publish(mosq_, &mid, m->topic.c_str(), int(m->payload.size()), m->payload.data(), 1, false);
    if (rc == MOSQ_ERR_NO_CONN) {
      connected_ = false;  // sent again after the reconnect
      return;
    }
    if (rc != MOSQ_ERR_SUCCESS) {
      // Refused by the client itself (a topic a journal kept from an older
      // run, memory, ...): no event follows, so say it, and try again at the
      // next pump.
      state_ = PublishState::CannotPublish;
      detail_ = mosquitto_strerror(rc);
      return;
    }
    if (state_ == PublishState::CannotPublish) {
      state_ = PublishState::Publishing;
      detail_.clear();
    }
    inflight_[mid] = m->id;
  }
}

void MqttPublisher::Pump() {
  std::vector<Event> events;
  {
    std::lock_guard lock(mutex_);
    events.swap(events_);
  }
  for (Event& e : events) {
    switch (e.kind) {
      case Event::Connected:
        connected_ = true;
        state_ = PublishState::Publishing;
        detail_.clear();
        // What was in flight is sent again: the broker may not have it.
        inflight_.clear();
        queue_.Rewind();
        PublishStatusMessage();
        break;
      case Event::Refused:
        connected_ = false;
        state_ = PublishState::Refused;
        detail_ = e.detail;
        break;
      case Event::Lost:
        connected_ = false;
        // A refusal stays the news until a login succeeds: the broker closing
        // the refused connection is no news.
        if (!(state_ == PublishState::Refused && PublishState(e.value) == PublishState::Unreachable)) {
          state_ = PublishState(e.value);
          detail_ = e.detail;
        }
        break;
      case Event::Published:
        // Message ids wrap at 65535: a reading in flight owns its id.
        if (const auto it = inflight_.find(e.value); it != inflight_.end()) {
          queue_.Acknowledge(it->second);
          inflight_.erase(it);
        } else if (e.value == statusMid_) {
          statusMid_ = -1;
        }
        break;
    }
  }
  Fill();
  queue_.Flush();
}

bool MqttPublisher::WaitForEvents(std::chrono::milliseconds limit) {
  std::unique_lock lock(mutex_);
  return wake_.wait_for(lock, limit, [this] { return !events_.empty(); });
}

bool MqttPublisher::WaitUntilSent(std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;;) {
    Pump();
    if (queue_.size() == 0) return true;
    const auto now = std::chrono::steady_clock::now();
    if (!started_ || now >= end) return false;
    WaitForEvents(std::min(std::chrono::duration_cast<std::chrono::milliseconds>(end - now),
                           std::chrono::milliseconds(100)));
  }
}

void MqttPublisher::Stop(std::chrono::milliseconds limit) {
  if (!started_) return;
  Pump();
  if (connected_) {
    statusPayload_ = OfflinePayload();
    PublishStatusMessage();
    const auto end = std::chrono::steady_clock::now() + limit;
    while (statusMid_ != -1 && connected_ && std::chrono::steady_clock::now() < end) {
      WaitForEvents(std::chrono::milliseconds(50));
      Pump();
    }
  }
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  network_.join();
  started_ = false;
  connected_ = false;
  state_ = PublishState::Off;
}

PublishStatus MqttPublisher::Status() const {
  PublishStatus s;
  s.state = state_;
  s.hostPort = HostPort(options_.url);
  s.detail = detail_;
  s.waiting = queue_.size();
  s.dropped = queue_.dropped();
  s.inMemoryOnly = state_ != PublishState::Off && !options_.queuePath.empty() && !queue_.journalled();
  return s;
}

std::vector<std::string> MqttPublisher::TakeNotices() {
  std::vector<std::string> out = std::exchange(notices_, {});
  for (std::string& n : queue_.TakeNotices()) out.push_back(std::move(n));
  return out;
}

}  // namespace lcr
