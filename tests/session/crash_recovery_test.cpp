// The recovery file: kept while records are in no file, found by the next
// session and left alone until they are offered, removed when the user
// discards them, and left alone by a second window.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include "session/crash_recovery.h"
#include "files/data_file.h"
#include "test_support.h"

using lcrtest::Concat;
using lcrtest::Frame730Value;

namespace {

QCoreApplication& App() {
  static int argc = 1;
  static char name[] = "crash_recovery_test";
  static char* argv[] = {name, nullptr};
  static QCoreApplication app(argc, argv);
  return app;
}

// A runner on a scripted port that records `samples` samples.
std::unique_ptr<lcr::CycleRunner> LinkedRunner(int samples) {
  auto io = std::make_unique<lcr::ScriptedSerialIo>();
  io->SetLogCalls(false);
  io->QueueRead(1, Concat({Frame730Value(1), Frame730Value(1)}));
  for (int i = 1; i <= samples + 2; ++i) io->QueueRead(1, Frame730Value(i));
  auto runner = std::make_unique<lcr::CycleRunner>(std::move(io));
  runner->start();
  runner->onCheckCom();
  for (int i = 0; i < samples + 2; ++i) {
    runner->onReadCom();
    runner->onShowTime();
  }
  return runner;
}

}  // namespace

TEST(CrashRecovery, KeptWhileUnsavedFoundAfterACrashWaitingForTheAnswer) {
  App();
  QTemporaryDir dir;
  const QString path = dir.filePath("data/recovery.txt");
  {
    auto runner = LinkedRunner(5);
    ASSERT_EQ(runner->cycle().table.RecordCount, 5);
    lcr::CrashRecovery session(*runner, path);
    ASSERT_TRUE(session.active());
    session.onTick();
    // A second window meanwhile neither offers nor touches the file.
    auto other = LinkedRunner(1);
    lcr::CrashRecovery second(*other, path);
    EXPECT_FALSE(second.active());
    EXPECT_EQ(second.PendingRecords(), 0);
    second.onTick();
    second.Discard();
    ASSERT_TRUE(QFile::exists(path));

    // Stop: one more rewrite takes the last samples, then none.
    runner->stop();
    session.onTick();
  }  // the process "dies" here: nothing removes the file

  auto next = LinkedRunner(0);
  lcr::CrashRecovery again(*next, path);
  ASSERT_TRUE(again.active());
  EXPECT_EQ(again.PendingRecords(), 5);
  lcr::MeasurementTable opened;
  ASSERT_EQ(lcr::ReadDataFile(path, opened, nullptr), lcr::OpenOutcome::Opened);
  EXPECT_EQ(opened.rows[std::size_t(opened.RecordCount)].MainValue.Str(), "7");
  again.onTick();
  again.EndSession();  // a close before they were offered: they still wait
  EXPECT_EQ(again.PendingRecords(), 5);
  again.Discard();
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_EQ(again.PendingRecords(), 0);
}
