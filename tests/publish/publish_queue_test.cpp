// The queue of unacknowledged readings against a model: order, hand-outs,
// acknowledgements, drops past the limit, spilling past the memory window,
// and restarts that read the journal back; then a journal that fails.
#include <gtest/gtest.h>
#include <sys/resource.h>

#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <deque>
#include <random>
#include <set>

#include "publish/publish_queue.h"

namespace {

using lcr::PublishQueue;

TEST(PublishQueue, BehavesAsAnOrderedListAcrossSpillsDropsAndRestarts) {
  for (unsigned seed = 1; seed <= 10; ++seed) {
    QTemporaryDir dir;
    const PublishQueue::Options options{dir.filePath("q.txt").toStdString(), 40, 6};
    auto q = std::make_unique<PublishQueue>(options);
    q->Open();
    std::mt19937 rng(seed);
    std::deque<std::string> model;              // waiting, oldest first
    std::set<std::string> handed;               // handed out since the last rewind
    std::vector<std::pair<std::uint64_t, std::string>> out;  // handed out, not acknowledged
    std::uint64_t dropped = 0;
    int made = 0;
    for (int step = 0; step < 2000; ++step) {
      const int op = int(rng() % 100);
      if (op < 50) {
        const std::string p = "m" + std::to_string(++made) + " \"x\"\\";
        q->Push("t/b/reading", p);
        model.push_back(p);
        if (model.size() > options.limit) {
          handed.erase(model.front());
          model.pop_front();
          ++dropped;
        }
      } else if (op < 75) {
        const lcr::QueuedMessage* m = q->Next();
        std::string expected;
        for (const std::string& p : model)
          if (!handed.count(p)) {
            expected = p;
            break;
          }
        ASSERT_EQ(m ? m->payload : std::string(), expected) << "seed " << seed << " step " << step;
        if (m) {
          EXPECT_EQ(m->topic, "t/b/reading");
          handed.insert(m->payload);
          out.emplace_back(m->id, m->payload);
        }
      } else if (op < 95 && !out.empty()) {
        const std::size_t k = rng() % out.size();
        q->Acknowledge(out[k].first);
        q->Acknowledge(out[k].first);  // a repeated acknowledgement changes nothing
        std::erase(model, out[k].second);
        out.erase(out.begin() + std::ptrdiff_t(k));
      } else if (op < 99) {
        q->Rewind();
        handed.clear();
        out.clear();  // acknowledgements of the old hand-outs may still come: see below
      } else {
        q.reset();  // a restart: what waits is read back from the journal
        q = std::make_unique<PublishQueue>(options);
        EXPECT_EQ(q->Open(), model.size());
        handed.clear();
        out.clear();
        dropped = 0;
      }
      ASSERT_EQ(q->size(), model.size()) << "seed " << seed << " step " << step;
      ASSERT_EQ(q->dropped(), dropped);
      ASSERT_LE(q->inMemory(), options.memoryWindow + 1000);
    }
    EXPECT_TRUE(q->TakeNotices().empty());
  }
}

TEST(PublishQueue, AJournalThatFailsIsSaidAndTheQueueGoesOnInMemory) {
  QTemporaryDir dir;
  const std::string path = dir.filePath("q.txt").toStdString();
  PublishQueue q({path, 1000, 4});
  q.Open();
  for (int k = 0; k < 10; ++k) q.Push("t", "before " + std::to_string(k));  // 6 spilled
  // The file may grow by 300 bytes from here.
  std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = rlim_t(QFileInfo(QString::fromStdString(path)).size() + 300);
  setrlimit(RLIMIT_FSIZE, &small);
  for (int k = 0; k < 100; ++k) q.Push("t", "after " + std::to_string(k));
  setrlimit(RLIMIT_FSIZE, &old);

  const std::vector<std::string> notices = q.TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_NE(notices[0].find("cannot write the publish queue " + path + ": File too large"), std::string::npos);
  EXPECT_FALSE(q.journalled());
  std::vector<std::string> got;
  while (const lcr::QueuedMessage* m = q.Next()) got.push_back(m->payload);
  ASSERT_EQ(got.size(), 110u);
  for (int k = 0; k < 110; ++k)
    EXPECT_EQ(got[std::size_t(k)], k < 10 ? "before " + std::to_string(k) : "after " + std::to_string(k - 10));
}

}  // namespace
