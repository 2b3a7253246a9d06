// After a session that logged and was killed, the next window offers its
// records and, on Yes, shows them as File, Open would and keeps them in the
// file; only a second, explicit No removes them.
#include <QFile>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>

#include "session/crash_recovery.h"
#include "session/file_commands.h"
#include "app/recovery_offer.h"
#include "window_fixture.h"

namespace {

struct RecoveryWindowTest : lcrtest::WindowFixture {
  QTemporaryDir dir;
  QString path() const { return dir.filePath("recovery.txt"); }

  // A session that links, records `samples` samples, keeps its recovery file
  // and then ends without a normal close.
  void CrashedSession(int samples) {
    auto scripted = std::make_unique<lcr::ScriptedSerialIo>();
    scripted->QueueRead(1, lcrtest::Concat({lcrtest::Frame730Value(1), lcrtest::Frame730Value(1)}));
    for (int i = 1; i <= samples + 2; ++i) scripted->QueueRead(1, lcrtest::Frame730Value(100 + i));
    lcr::CycleRunner last(std::move(scripted));
    lcr::CrashRecovery recovery(last, path());
    last.start();
    last.onCheckCom();
    for (int i = 1; i <= samples + 2; ++i) {
      last.onReadCom();
      last.onShowTime();
    }
    recovery.onTick();
  }
};

// The recovered records stay in the file until they are saved, discarded or
// checkpointed again, even by a window that never links: a second crash
// before the next Start loses none of them.
TEST_F(RecoveryWindowTest, RecoveredRecordsSurviveASecondCrash) {
  CrashedSession(4);
  {
    lcr::CrashRecovery recovery(runner(), path());
    recovery.onTick();  // a tick before the answer leaves the file alone
    QStringList asked;
    EXPECT_TRUE(lcr::OfferRecovery(*form, recovery, [&](const QString& q) { asked << q; return true; }));
    EXPECT_EQ(asked, QStringList{"Recover 4 records from the last session?"});
    EXPECT_EQ(form->cycle().table.RecordCount, 4);
    EXPECT_EQ(form->viewHandles().StringGrid1->item(3, 2)->text(), "106");
    EXPECT_EQ(lcr::UnsavedRecordCount(form->cycle()), 4);  // in no file the user chose: closing asks
    EXPECT_TRUE(QFile::exists(path()));
    recovery.onTick();  // stopped, never linked: still checkpointed
  }  // a second crash: the session ends without a normal close

  SetUp();  // the next start
  lcr::CrashRecovery again(runner(), path());
  EXPECT_EQ(again.PendingRecords(), 4);
  ASSERT_TRUE(lcr::OfferRecovery(*form, again, [](const QString&) { return true; }));
  EXPECT_EQ(form->viewHandles().StringGrid1->item(3, 2)->text(), "106");

  // Saved: the file has done its work and goes at the next tick.
  lcr::MarkTableSaved(form->cycle());
  again.onTick();
  EXPECT_FALSE(QFile::exists(path()));
}

// No asks once more before the records go; a No to that keeps them.
TEST_F(RecoveryWindowTest, NoAsksBeforeDiscarding) {
  CrashedSession(2);
  for (const bool discard : {false, true}) {
    SetUp();
    lcr::CrashRecovery recovery(runner(), path());
    QStringList asked;
    const bool opened = lcr::OfferRecovery(*form, recovery, [&](const QString& q) {
      asked << q;
      return asked.size() == 2 && discard;
    });
    EXPECT_EQ(asked, (QStringList{"Recover 2 records from the last session?", "Discard the 2 recovered records?"}));
    EXPECT_EQ(opened, !discard);
    EXPECT_EQ(form->cycle().table.RecordCount, discard ? 0 : 2);
    EXPECT_EQ(QFile::exists(path()), !discard);
  }
}

}  // namespace
