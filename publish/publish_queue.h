#pragma once
// The readings the broker has not acknowledged yet, in order. Every message
// is appended to a journal file as it comes (one checked write), and every
// acknowledgement after it, so the queue a crash leaves behind is sent at
// the next start. Memory holds a window of the oldest messages; the rest
// stays in the journal and is read back as the window empties, so a day of
// readings survives a broker outage without filling the memory. Past the
// limit the oldest messages are dropped, and counted.
//
// Journal lines: "R id topic\tpayload" for a message, "A id" for an
// acknowledged (or dropped) one. Ids rise through the journal's life; the
// journal is emptied whenever the queue is.
//
// Used from one thread only.

#include <QLockFile>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace lcr {

struct QueuedMessage {
  std::uint64_t id = 0;
  std::string topic;
  std::string payload;
};

class PublishQueue {
 public:
  struct Options {
    std::string path;  // the journal; empty: memory only
    std::size_t limit = 1'000'000;
    std::size_t memoryWindow = 10'000;
  };
  explicit PublishQueue(Options options);
  ~PublishQueue();
  PublishQueue(const PublishQueue&) = delete;
  PublishQueue& operator=(const PublishQueue&) = delete;

  // Writes the acknowledgements noted since the last call (Acknowledge
  // only notes them; a crash before this merely sends them again).
  void Flush();

  // Takes the journal, reading back the messages a previous run left
  // unacknowledged; returns their count. A journal that cannot be used is
  // told in the notices, and the queue then lives in memory.
  std::size_t Open();

  // Constant work: one append to the journal.
  void Push(std::string topic, std::string payload);

  // The oldest message not handed out since the last Rewind(), or null.
  const QueuedMessage* Next();
  // The broker has the message: it leaves the queue. Unknown ids are ignored.
  void Acknowledge(std::uint64_t id);
  // The connection was lost: every unacknowledged message is handed out again.
  void Rewind();

  std::size_t size() const { return waiting_; }
  std::uint64_t dropped() const { return dropped_; }
  std::size_t inMemory() const { return front_.size() + tail_.size(); }
  const std::string& path() const { return options_.path; }
  // Whether every message waiting is in the journal (and survives the program).
  bool journalled() const { return fileOk_ && tail_.empty(); }

  // What went wrong with the journal since the last call, one line each.
  std::vector<std::string> TakeNotices();

 private:
  struct Entry {
    QueuedMessage msg;
    bool acked = false;
  };
  void Append(const std::string& line);
  void NoteAcknowledged(std::uint64_t id);
  void FileFailed(const std::string& what, int err);
  void Refill();
  void PopAcked();
  void DropOldest();
  Entry* Find(std::uint64_t id);

  Options options_;
  std::unique_ptr<QLockFile> lock_;
  int fd_ = -1;
  bool fileOk_ = false;
  std::deque<Entry> front_;   // the oldest messages, in memory
  std::size_t next_ = 0;      // front_[next_] is the next to hand out
  std::size_t spilled_ = 0;   // messages after front_ that are only in the journal
  long long readOffset_ = 0;  // where the first of them starts
  std::deque<Entry> tail_;    // newer messages the journal could not take
  std::uint64_t nextId_ = 1;
  std::size_t waiting_ = 0;
  std::uint64_t dropped_ = 0;
  long long fileBytes_ = 0;
  std::string ackLines_;  // written by Flush()
  std::vector<std::string> notices_;
};

}  // namespace lcr
