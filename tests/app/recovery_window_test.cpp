// After a session that logged and was killed, the next window offers its
// records and, on Yes, shows them as File, Open would; on No they are gone.
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

TEST_F(RecoveryWindowTest, YesOpensTheRecordsNoDiscardsThem) {
  CrashedSession(4);
  {
    lcr::CrashRecovery recovery(runner(), path());
    QString asked;
    EXPECT_TRUE(lcr::OfferRecovery(*form, recovery, [&](const QString& q) { asked = q; return true; }));
    EXPECT_EQ(asked, "Recover 4 records from the last session?");
    EXPECT_EQ(form->cycle().table.RecordCount, 4);
    EXPECT_EQ(form->viewHandles().StringGrid1->item(3, 2)->text(), "106");
    EXPECT_FALSE(QFile::exists(path()));
    EXPECT_EQ(lcr::UnsavedRecordCount(form->cycle()), 4);  // only in memory now: closing asks
  }  // this session ends: its lock is released

  CrashedSession(2);
  bool askedAgain = false;
  lcr::CrashRecovery next(runner(), path());
  EXPECT_FALSE(lcr::OfferRecovery(*form, next, [&](const QString&) { askedAgain = true; return false; }));
  EXPECT_TRUE(askedAgain);
  EXPECT_EQ(form->cycle().table.RecordCount, 4);  // unchanged
  EXPECT_FALSE(QFile::exists(path()));
  EXPECT_FALSE(lcr::OfferRecovery(*form, next, [](const QString&) { return true; }));  // nothing waits
}

}  // namespace
