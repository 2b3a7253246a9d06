#include "publish/publish_queue.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string_view>
#include <unordered_set>

namespace lcr {

namespace {

// Read back at most this many messages at once, so no call does more than a
// bounded piece of work.
constexpr std::size_t kRefillChunk = 1000;

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= std::size_t(n);
  }
  return true;
}

std::string MessageLine(const QueuedMessage& m) {
  std::string line;
  line.reserve(m.topic.size() + m.payload.size() + 24);
  line += "R ";
  line += std::to_string(m.id);
  line += ' ';
  line += m.topic;
  line += '\t';
  line += m.payload;
  line += '\n';
  return line;
}

// One journal line without its '\n': a message, or an acknowledged id.
struct JournalLine {
  char kind = 0;  // 'R', 'A', or 0 for a line that cannot be read
  std::uint64_t id = 0;
  std::string_view topic, payload;
};

JournalLine ParseLine(std::string_view line) {
  JournalLine out;
  if (line.size() < 3 || (line[0] != 'R' && line[0] != 'A') || line[1] != ' ') return out;
  const char* end = line.data() + line.size();
  const auto r = std::from_chars(line.data() + 2, end, out.id);
  if (r.ec != std::errc{}) return out;
  if (line[0] == 'A') {
    if (r.ptr == end) out.kind = 'A';
    return out;
  }
  if (r.ptr == end || *r.ptr != ' ') return out;
  const std::string_view rest(r.ptr + 1, std::size_t(end - r.ptr - 1));
  const std::size_t tab = rest.find('\t');
  if (tab == std::string_view::npos || tab == 0) return out;
  out.topic = rest.substr(0, tab);
  out.payload = rest.substr(tab + 1);
  out.kind = 'R';
  return out;
}

// Calls `each` with every complete line of the file from `offset` on and the
// offset after it; stops early when `each` returns false. False on a read
// error (errno set).
template <typename Each>
bool ForEachLine(int fd, long long offset, Each each) {
  std::string buf;
  std::size_t used = 0;  // bytes of buf already given out as lines
  char block[1 << 16];
  for (;;) {
    const ssize_t n = ::pread(fd, block, sizeof block, offset + static_cast<long long>(buf.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return true;  // a last line without its '\n' is cut short: left out
    buf.append(block, std::size_t(n));
    for (std::size_t nl; (nl = buf.find('\n', used)) != std::string::npos; used = nl + 1)
      if (!each(std::string_view(buf).substr(used, nl - used), offset + static_cast<long long>(nl + 1))) return true;
    if (used > (1 << 20)) {
      buf.erase(0, used);
      offset += static_cast<long long>(used);
      used = 0;
    }
  }
}

}  // namespace

PublishQueue::PublishQueue(Options options) : options_(std::move(options)) {}

PublishQueue::~PublishQueue() {
  Flush();
  if (fd_ >= 0) ::close(fd_);
}

// Acknowledgements are written in batches: one lost to a crash only sends
// its reading once more, with the same seq.
void PublishQueue::NoteAcknowledged(std::uint64_t id) {
  if (!fileOk_) return;
  ackLines_ += "A ";
  ackLines_ += std::to_string(id);
  ackLines_ += '\n';
  if (ackLines_.size() > (1 << 16)) Flush();
}

void PublishQueue::Flush() {
  if (ackLines_.empty()) return;
  Append(ackLines_);
  ackLines_.clear();
}

void PublishQueue::FileFailed(const std::string& what, int err) {
  notices_.push_back(what + " " + options_.path + ": " + std::strerror(err) +
                     "; the readings waiting for the broker are kept in memory");
  fileOk_ = false;
}

std::size_t PublishQueue::Open() {
  if (options_.path.empty()) return 0;
  const QString path = QString::fromStdString(options_.path);
  QDir().mkpath(QFileInfo(path).absolutePath());
  lock_ = std::make_unique<QLockFile>(path + QStringLiteral(".lock"));
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) {
    notices_.push_back("the publish queue " + options_.path +
                       " is in use by another program publishing as this bench; this one keeps its queue in memory");
    return 0;
  }
  fd_ = ::open(options_.path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd_ < 0) {
    FileFailed("cannot open the publish queue", errno);
    return 0;
  }

  // What a previous run left: the messages never acknowledged, in order.
  struct Pending {
    long long offset;
    std::size_t length;
    std::uint64_t id;
  };
  std::vector<Pending> pending;
  std::unordered_set<std::uint64_t> acked;
  long long lineStart = 0;
  const bool read = ForEachLine(fd_, 0, [&](std::string_view line, long long after) {
    const JournalLine j = ParseLine(line);
    if (j.kind == 'R') pending.push_back({lineStart, line.size() + 1, j.id});
    if (j.kind == 'A') acked.insert(j.id);
    if (j.kind != 0) nextId_ = std::max(nextId_, j.id + 1);
    lineStart = after;
    return true;
  });
  if (!read) {
    FileFailed("cannot read the publish queue", errno);
    return 0;
  }
  std::erase_if(pending, [&](const Pending& p) { return acked.count(p.id) > 0; });
  fileOk_ = true;

  // Rewritten with only those messages, checked to the last byte before it
  // replaces the journal.
  const std::string fresh = options_.path + ".new";
  const int out = ::open(fresh.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  bool ok = out >= 0;
  int err = errno;
  std::string chunk;
  for (std::size_t k = 0; ok && k < pending.size(); ++k) {
    std::string line(pending[k].length, '\0');
    ok = ::pread(fd_, line.data(), line.size(), pending[k].offset) == static_cast<ssize_t>(line.size());
    chunk += line;
    if (ok && (chunk.size() > (1 << 20) || k + 1 == pending.size())) {
      ok = WriteAll(out, chunk.data(), chunk.size());
      chunk.clear();
    }
    if (!ok) err = errno;
  }
  if (ok && ::fsync(out) != 0) ok = false, err = errno;
  if (out >= 0 && ::close(out) != 0 && ok) ok = false, err = errno;
  if (ok && ::rename(fresh.c_str(), options_.path.c_str()) != 0) ok = false, err = errno;
  if (!ok) {
    ::unlink(fresh.c_str());
    FileFailed("cannot rewrite the publish queue", err);
    return 0;  // the journal stays as it was, for the next start
  }
  ::close(fd_);
  fd_ = ::open(options_.path.c_str(), O_RDWR | O_APPEND | O_CLOEXEC);
  if (fd_ < 0) {
    FileFailed("cannot open the publish queue", errno);
    return 0;
  }
  fileBytes_ = 0;
  for (const Pending& p : pending) fileBytes_ += static_cast<long long>(p.length);
  spilled_ = pending.size();
  waiting_ = pending.size();
  readOffset_ = 0;
  Refill();
  return pending.size();
}

void PublishQueue::Append(const std::string& line) {
  if (!fileOk_) return;
  if (!WriteAll(fd_, line.data(), line.size())) {
    FileFailed("cannot write the publish queue", errno);
    return;
  }
  fileBytes_ += static_cast<long long>(line.size());
}

void PublishQueue::Push(std::string topic, std::string payload) {
  Entry e{{nextId_++, std::move(topic), std::move(payload)}, false};
  const std::string line = MessageLine(e.msg);
  Append(line);
  ++waiting_;
  if (spilled_ == 0 && tail_.empty() && (!fileOk_ || front_.size() < options_.memoryWindow)) {
    front_.push_back(std::move(e));
  } else if (fileOk_) {
    if (spilled_ == 0) readOffset_ = fileBytes_ - static_cast<long long>(line.size());
    ++spilled_;  // only in the journal now
  } else {
    tail_.push_back(std::move(e));
  }
  while (waiting_ > options_.limit) DropOldest();
}

PublishQueue::Entry* PublishQueue::Find(std::uint64_t id) {
  // Ids rise through the queue, though not always by one (a restart leaves gaps).
  const auto it = std::lower_bound(front_.begin(), front_.end(), id,
                                   [](const Entry& e, std::uint64_t v) { return e.msg.id < v; });
  return it != front_.end() && it->msg.id == id ? &*it : nullptr;
}

void PublishQueue::PopAcked() {
  while (!front_.empty() && front_.front().acked) {
    front_.pop_front();
    if (next_ > 0) --next_;
  }
  if (front_.size() < options_.memoryWindow / 2) Refill();
  if (waiting_ == 0 && fileOk_ && (fileBytes_ > 0 || !ackLines_.empty())) {
    // Nothing waits: the journal starts over.
    ackLines_.clear();
    if (::ftruncate(fd_, 0) != 0) {
      FileFailed("cannot empty the publish queue", errno);
      return;
    }
    fileBytes_ = 0;
    readOffset_ = 0;
  }
}

void PublishQueue::Acknowledge(std::uint64_t id) {
  Entry* e = Find(id);
  if (!e || e->acked) return;
  e->acked = true;
  --waiting_;
  NoteAcknowledged(id);
  PopAcked();
}

void PublishQueue::DropOldest() {
  Refill();
  if (front_.empty()) return;
  front_.front().acked = true;  // dropped: the journal forgets it as it forgets a sent one
  NoteAcknowledged(front_.front().msg.id);
  --waiting_;
  ++dropped_;
  PopAcked();
}

void PublishQueue::Refill() {
  if (spilled_ == 0) {
    for (std::size_t n = 0; n < kRefillChunk && !tail_.empty(); ++n) {
      front_.push_back(std::move(tail_.front()));
      tail_.pop_front();
    }
    return;
  }
  if (front_.size() >= options_.memoryWindow && next_ < front_.size()) return;
  std::size_t want = std::min(kRefillChunk, spilled_);
  const bool read = ForEachLine(fd_, readOffset_, [&](std::string_view line, long long after) {
    const JournalLine j = ParseLine(line);
    readOffset_ = after;
    // Acknowledgements past readOffset_ are of messages already in memory.
    if (j.kind == 'R') {
      front_.push_back({{j.id, std::string(j.topic), std::string(j.payload)}, false});
      --spilled_;
      --want;
    }
    return want > 0;
  });
  if (!read) {
    // What is only in the journal cannot be had back now; it stays there for the next start.
    notices_.push_back("cannot read the publish queue " + options_.path + ": " + std::strerror(errno) + "; " +
                       std::to_string(spilled_) + " readings stay in it until the next start");
    waiting_ -= spilled_;
    spilled_ = 0;
    fileOk_ = false;
  }
}

const QueuedMessage* PublishQueue::Next() {
  for (;;) {
    while (next_ < front_.size() && front_[next_].acked) ++next_;
    if (next_ < front_.size()) return &front_[next_++].msg;
    const std::size_t before = front_.size();
    Refill();
    if (front_.size() == before) return nullptr;
  }
}

void PublishQueue::Rewind() { next_ = 0; }

std::vector<std::string> PublishQueue::TakeNotices() { return std::exchange(notices_, {}); }

}  // namespace lcr
