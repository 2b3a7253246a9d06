// The window's publishing switch tells what happens to the queue's journal:
// the notice itself (file and reason), the status words while the readings
// wait in memory only, and at the end how many were lost.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include "publish/local_broker.h"  // tests/publish/: FreePort, WaitUntil
#include "session/publishing_switch.h"
#include "test_support.h"

namespace {

TEST(PublishingSwitch, AJournalThatCannotBeWrittenIsToldAndTheEndSaysWhatIsLost) {
  int argc = 1;
  char name[] = "publishing_switch_test";
  char* argv[] = {name};
  QCoreApplication app(argc, argv);  // for the publishing's timer
  QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  const std::string queue = lcr::PublishQueuePath("sw");
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(queue)));  // a folder where the journal goes

  lcrtest::CycleRig rig;
  rig.c->publishTo = "mqtt://127.0.0.1:" + std::to_string(lcrtest::FreePort()) + "/lab";  // nobody listens
  rig.c->benchName = "sw";
  lcr::PublishingSwitch publishing(*rig.c);
  std::vector<std::string> told;
  publishing.onNotice = [&](const std::string& line) { told.push_back(line); };
  ASSERT_TRUE(publishing.Apply());
  ASSERT_TRUE(lcrtest::WaitUntil([&] {
    QCoreApplication::processEvents();
    return !told.empty();
  }));
  EXPECT_EQ(publishing.notice(), told.back());
  EXPECT_NE(publishing.notice().find("cannot open the publish queue " + queue + ": Is a directory"), std::string::npos)
      << publishing.notice();
  EXPECT_TRUE(publishing.words().starts_with("Publish queue in memory only; ")) << publishing.words();

  ASSERT_TRUE(rig.StartAndDetect(730));
  int recorded = 0;
  for (int tries = 0; tries < 15 && recorded < 3; ++tries) recorded += rig.ReadAndTick(lcrtest::Frame730Value(100 + tries));
  ASSERT_EQ(recorded, 3);
  EXPECT_EQ(publishing.Finish(std::chrono::milliseconds(100)),
            "3 readings not acknowledged by the broker are lost: the queue's journal could not be written");
}

}  // namespace
