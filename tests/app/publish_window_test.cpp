// The window publishes what it records once Publish to names a broker, and
// says so beside the link's words; a journal that cannot be written is told
// there too.
#include <QApplication>
#include <QDir>
#include <QLabel>

#include "publish/broker_fixture.h"
#include "window_fixture.h"

using namespace lcr;
using namespace lcrtest;

namespace {

struct PublishWindowTest : WindowFixture {
  bool Pump(const std::function<bool()>& done) {
    return WaitUntil([&] {
      QApplication::processEvents(QEventLoop::AllEvents, 10);
      return done();
    });
  }
  QString LinkPanel() { return form->StatusPanels[kStatusPanelCount - 1]->toolTip(); }
};

TEST_F(PublishWindowTest, RecordedSamplesReachTheBrokerAndThePanelSaysWhere) {
  Broker broker;
  ASSERT_TRUE(broker.Start());
  Subscriber sub(broker.port(), "lab/+/+");
  const std::string hostPort = "127.0.0.1:" + std::to_string(broker.port());

  form->cycle().publishTo = "mqtt://" + hostPort + "/lab";
  form->cycle().benchName = "window-test";
  ASSERT_TRUE(form->publishing().Apply());
  ASSERT_TRUE(Pump([&] { return form->publishing().words() == "Publishing to " + hostPort; }));
  EXPECT_TRUE(LinkPanel().contains(QString::fromStdString("Publishing to " + hostPort)));

  StartAndLink();
  for (int v = 1; v <= 5; ++v) Sample(v * 100);
  const std::size_t recorded = std::size_t(form->cycle().table.RecordCount);
  ASSERT_GE(recorded, 3u);
  const auto readings = [](const std::vector<Message>& all) {
    std::vector<Message> r;
    for (const Message& m : all)
      if (m.topic == "lab/window-test/reading") r.push_back(m);
    return r;
  };
  ASSERT_TRUE(Pump([&] { return readings(sub.Messages()).size() >= recorded; }));
  const std::vector<Message> got = readings(sub.Messages());
  EXPECT_EQ(got.size(), recorded);
  for (std::size_t i = 0; i < got.size(); ++i)
    EXPECT_NE(got[i].payload.find("\"seq\":" + std::to_string(i + 1) + ","), std::string::npos) << got[i].payload;
  const auto online = [](const std::vector<Message>& all) {
    for (const Message& m : all)
      if (m.topic == "lab/window-test/status" && m.payload.find("online") != std::string::npos) return true;
    return false;
  };
  EXPECT_TRUE(Pump([&] { return online(sub.Messages()); }));

  // Publish to emptied: publishing ends and the panel no longer mentions it.
  form->cycle().publishTo.clear();
  ASSERT_TRUE(form->publishing().Apply());
  EXPECT_FALSE(form->publishing().on());
  EXPECT_FALSE(LinkPanel().contains(QStringLiteral("Publishing")));
}

TEST_F(PublishWindowTest, AnUnusableUrlIsRefusedWithItsReasonAndNothingIsPublished) {
  form->cycle().publishTo = "mqtt://:99999/lab";
  std::string why;
  EXPECT_FALSE(form->publishing().Apply(&why));
  EXPECT_FALSE(why.empty());
  EXPECT_FALSE(form->publishing().on());
  EXPECT_TRUE(LinkPanel().contains(QString::fromStdString(why)));
}

TEST_F(PublishWindowTest, AJournalThatCannotBeWrittenIsToldInTheLinkPanel) {
  const std::string queue = PublishQueuePath("window-journal");
  ASSERT_TRUE(QDir().mkpath(QString::fromStdString(queue)));  // a folder where the journal goes
  form->cycle().publishTo = "mqtt://127.0.0.1:" + std::to_string(FreePort()) + "/lab";
  form->cycle().benchName = "window-journal";
  ASSERT_TRUE(form->publishing().Apply());
  EXPECT_TRUE(Pump([&] { return LinkPanel().contains(QString::fromStdString("cannot open the publish queue " + queue)); }))
      << LinkPanel().toStdString();
  EXPECT_TRUE(form->StatusPanels[kStatusPanelCount - 1]->text().contains(QStringLiteral("Publish queue in memory only")));
  form->cycle().publishTo.clear();
  ASSERT_TRUE(form->publishing().Apply());
  EXPECT_FALSE(LinkPanel().contains(QStringLiteral("publish queue")));
}

}  // namespace
