#pragma once
// A real Mosquitto broker on 127.0.0.1 for the publishing tests, run from a
// config written into a temporary folder, and a libmosquitto subscriber
// that collects what arrives.

#include <arpa/inet.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lcrtest {

// Waits for `ready` (checked every 10 ms) up to `limitMs`.
inline bool WaitUntil(const std::function<bool()>& ready, int limitMs = 10000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (!ready()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

inline int FreePort() {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof a;
  ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  ::close(s);
  return ntohs(a.sin_port);
}

inline bool Listening(int port) {
  const int s = ::socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(std::uint16_t(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  ::close(s);
  return ok;
}

class Broker {
 public:
  explicit Broker(std::string extraConfig = {}) : extra_(std::move(extraConfig)), port_(FreePort()) {}
  ~Broker() { Kill(); }

  QString dir() const { return dir_.path(); }
  int port() const { return port_; }

  // Starts the broker (again, on the same port and folder) and waits until it listens.
  bool Start() {
    QFile conf(dir_.filePath("mosquitto.conf"));
    if (!conf.open(QIODevice::WriteOnly)) return false;
    // Run as root, the broker would turn into user mosquitto, who cannot read the test's private folder.
    const passwd* me = ::getpwuid(::getuid());
    const std::string text = "listener " + std::to_string(port_) + " 127.0.0.1\n" +
                             "user " + std::string(me ? me->pw_name : "root") + "\n" +
                             "persistence true\npersistence_location " + dir_.path().toStdString() + "/\n" +
                             // The subscriber may reconnect after the publisher: keep all it missed meanwhile.
                             "max_queued_messages 0\n" +
                             (extra_.find("allow_anonymous") == std::string::npos ? "allow_anonymous true\n" : "") +
                             extra_;
    conf.write(text.c_str());
    conf.close();
    process_.setProcessChannelMode(QProcess::MergedChannels);
    process_.start("mosquitto", {"-c", conf.fileName()});
    if (!process_.waitForStarted(5000)) return false;
    return WaitUntil([&] { return Listening(port_); }, 5000);
  }
  // SIGTERM: the broker saves its sessions, as a restarted service does.
  void Stop() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    process_.waitForFinished(5000);
  }
  void Kill() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.kill();
    process_.waitForFinished(5000);
  }

 private:
  QTemporaryDir dir_;
  std::string extra_;
  int port_;
  QProcess process_;
};

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
