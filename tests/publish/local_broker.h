#pragma once
// A real Mosquitto broker on 127.0.0.1, run from a config written into a
// temporary folder: for the publishing tests and the benchmarks.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

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
  qint64 pid() const { return process_.processId(); }

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

}  // namespace lcrtest
