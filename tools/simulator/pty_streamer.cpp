#include "simulator/pty_streamer.h"

#include <algorithm>
#include <chrono>
#include <thread>

#ifdef LCR_SIM_HAVE_PTY
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#endif

namespace lcr::sim {

namespace {

#ifdef LCR_SIM_HAVE_PTY
// Bytes left unread in the line's queue before older ones are dropped.
constexpr int kQueueLimit = 1024;

std::string Reason(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

void SetCloseOnExec(int fd) { ::fcntl(fd, F_SETFD, ::fcntl(fd, F_GETFD) | FD_CLOEXEC); }
#endif

}  // namespace

bool PtyStreamer::Supported() {
#ifdef LCR_SIM_HAVE_PTY
  return true;
#else
  return false;
#endif
}

bool PtyStreamer::Open(std::string* error) {
  Close();
#ifdef LCR_SIM_HAVE_PTY
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0) {
    *error = Reason("posix_openpt");
    return false;
  }
  SetCloseOnExec(master_);
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    *error = Reason("grantpt/unlockpt");
    Close();
    return false;
  }
  char name[256] = {};
#ifdef __linux__
  if (::ptsname_r(master_, name, sizeof name) != 0) {
    *error = Reason("ptsname");
    Close();
    return false;
  }
#else
  const char* found = ::ptsname(master_);
  if (found == nullptr) {
    *error = Reason("ptsname");
    Close();
    return false;
  }
  std::strncpy(name, found, sizeof name - 1);
#endif
  device_ = name;
  // Holding the slave side ourselves keeps the line up: without it the
  // master reports a hang-up until the application opens the device, and
  // again each time the application closes it.
  slave_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
  if (slave_ < 0) {
    *error = Reason(name);
    Close();
    return false;
  }
  SetCloseOnExec(slave_);
  termios tio{};
  if (::tcgetattr(slave_, &tio) != 0) {
    *error = Reason("tcgetattr");
    Close();
    return false;
  }
  ::cfmakeraw(&tio);
  tio.c_cflag |= CLOCAL | CREAD;
  ::cfsetispeed(&tio, B9600);
  ::cfsetospeed(&tio, B9600);
  if (::tcsetattr(slave_, TCSANOW, &tio) != 0) {
    *error = Reason("tcsetattr");
    Close();
    return false;
  }
  ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
  return true;
#else
  *error = "pseudo-terminals are not supported on this system";
  return false;
#endif
}

bool PtyStreamer::Link(const std::string& path, std::string* error) {
#ifdef LCR_SIM_HAVE_PTY
  if (device_.empty()) {
    *error = "no device to link to";
    return false;
  }
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    *error = path + " exists and is not a symbolic link";
    return false;
  }
  // Make the link beside the target name and move it into place, so a
  // reader never finds the path missing or half made.
  const std::string temp = path + ".tmp" + std::to_string(::getpid());
  ::unlink(temp.c_str());
  if (::symlink(device_.c_str(), temp.c_str()) != 0) {
    *error = Reason(path.c_str());
    return false;
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    *error = Reason(path.c_str());
    ::unlink(temp.c_str());
    return false;
  }
  link_ = path;
  return true;
#else
  (void)path;
  *error = "links are not supported on this system";
  return false;
#endif
}

bool PtyStreamer::Send(const std::uint8_t* data, std::size_t size) {
#ifdef LCR_SIM_HAVE_PTY
  if (master_ < 0) return false;
  int queued = 0;
  if (::ioctl(slave_, FIONREAD, &queued) == 0 && queued > kQueueLimit) {
    ::tcflush(slave_, TCIFLUSH);
  }
  std::size_t sent = 0;
  while (sent < size) {
    const ssize_t n = ::write(master_, data + sent, size - sent);
    if (n > 0) {
      sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && errno == EAGAIN) {
      return true;  // the queue is full: the rest is lost, as on a real line
    } else {
      return false;
    }
  }
  return true;
#else
  (void)data;
  (void)size;
  return false;
#endif
}

void PtyStreamer::Close() {
#ifdef LCR_SIM_HAVE_PTY
  if (!link_.empty()) {
    // Remove the link only while it is still ours: a newer simulator may
    // have taken the name over.
    char target[512];
    const ssize_t n = ::readlink(link_.c_str(), target, sizeof target - 1);
    if (n >= 0 && std::string(target, static_cast<std::size_t>(n)) == device_) {
      ::unlink(link_.c_str());
    }
    link_.clear();
  }
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
#endif
  slave_ = -1;
  master_ = -1;
  device_.clear();
}

bool StreamScenario(PtyStreamer& pty, const StreamOptions& options,
                    const std::atomic<bool>& stop) {
  using Clock = std::chrono::steady_clock;
  const auto interval = std::chrono::milliseconds(std::max(1, options.intervalMs));
  // Short naps, so that a stop request is seen quickly.
  constexpr auto kNap = std::chrono::milliseconds(20);
  auto due = Clock::now();
  for (std::uint64_t step = 0; !stop.load(); ++step) {
    const ScenarioStep s = ScenarioFrame(options.scenario, options.family, step);
    if (!s.leading.empty() && !pty.Send(s.leading.data(), s.leading.size())) return false;
    if (!pty.Send(s.frame.data(), s.frame.size())) return false;
    due += interval;
    for (auto now = Clock::now(); now < due && !stop.load(); now = Clock::now()) {
      std::this_thread::sleep_for(std::min<Clock::duration>(due - now, kNap));
    }
    // After a long stall, carry on at the normal pace instead of catching up.
    if (Clock::now() > due + interval) due = Clock::now();
  }
  return true;
}

}  // namespace lcr::sim
