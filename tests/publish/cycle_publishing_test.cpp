// The adapter on a cycle: the hooks set before it still run, a session
// (new id, seq from 1) begins at every Start, and the bench's status follows
// the link: online with the family, offline at Stop.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QJsonDocument>
#include <QJsonObject>

#include "publish/broker_fixture.h"  // tests/publish/
#include "session/publishing.h"
#include "test_support.h"

namespace {

QJsonObject Json(const std::string& payload) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(payload)).object();
}

TEST(CyclePublishing, SessionsFollowStartAndTheStatusFollowsTheLink) {
  int argc = 1;
  char name[] = "cycle_publishing_test";
  char* argv[] = {name};
  QCoreApplication app(argc, argv);  // for the adapter's timer
  QTemporaryDir home;
  qputenv("XDG_DATA_HOME", home.path().toUtf8());
  lcrtest::Broker broker;
  ASSERT_TRUE(broker.Start());
  lcrtest::Subscriber sub(broker.port(), "lab/cp/#");

  lcrtest::CycleRig rig;
  // Read passes until one records (the link counts a few frames first).
  auto sample = [&](int value) {
    for (int tries = 0; tries < 5; ++tries)
      if (rig.ReadAndTick(lcrtest::Frame730Value(value))) return true;
    return false;
  };
  int earlierHook = 0;
  rig.c->onSampleRecorded = [&] { ++earlierHook; };
  lcr::PublishSettings settings;
  settings.url = "mqtt://127.0.0.1:" + std::to_string(broker.port()) + "/lab";
  settings.bench = "cp";
  lcr::PublisherOptions options;
  std::string why;
  ASSERT_TRUE(lcr::MakePublisherOptions(settings, "/dev/ttyUSB0", &options, &why)) << why;
  EXPECT_TRUE(options.queuePath.starts_with(home.path().toStdString()));  // beside the recovery file
  EXPECT_TRUE(options.queuePath.ends_with("/publish-queue-cp.txt"));
  {
    lcr::CyclePublishing publishing(*rig.c, std::make_unique<lcr::MqttPublisher>(options));
    std::vector<std::string> words;
    publishing.onStatusChanged = [&](const std::string& w) { words.push_back(w); };
    ASSERT_TRUE(lcrtest::WaitUntil([&] {
      publishing.Pump();
      return !words.empty() && words.back() == "Publishing to 127.0.0.1:" + std::to_string(broker.port());
    }));
    ASSERT_TRUE(rig.StartAndDetect(730));
    for (int k = 0; k < 3; ++k) ASSERT_TRUE(sample(100 + k));
    lcr::ButtonStopClick(*rig.c, rig.io);
    ASSERT_TRUE(rig.StartAndDetect(730));
    for (int k = 0; k < 2; ++k) ASSERT_TRUE(sample(200 + k));
    EXPECT_TRUE(publishing.Finish(std::chrono::seconds(5)));
  }
  EXPECT_EQ(earlierHook, 5);
  rig.c->onSampleRecorded();  // restored: the earlier hook alone
  EXPECT_EQ(earlierHook, 6);

  std::vector<std::string> seen;  // "status online 730", "reading 1 <session>", ...
  ASSERT_TRUE(sub.WaitFor([&](const std::vector<lcrtest::Message>& all) {
    seen.clear();
    for (const lcrtest::Message& m : all) {
      const QJsonObject o = Json(m.payload);
      if (m.topic == "lab/cp/status")
        seen.push_back("status " + o["state"].toString().toStdString() +
                       (o.contains("family") ? " " + std::to_string(o["family"].toInt()) : ""));
      else
        seen.push_back("reading " + std::to_string(o["seq"].toInt()) + " " + o["session"].toString().toStdString());
    }
    return !seen.empty() && seen.back() == "status offline" && seen.size() >= 10;
  }));
  ASSERT_GE(seen.size(), 9u);
  // Offline at the connection, then the two sessions.
  std::vector<std::string> tail(seen.end() - 10, seen.end());
  const std::string s1 = tail[2].substr(10), s2 = tail[7].substr(10);
  EXPECT_NE(s1, s2);
  const std::vector<std::string> expected = {
      "status offline", "status online 730", "reading 1 " + s1, "reading 2 " + s1, "reading 3 " + s1,
      "status offline", "status online 730", "reading 1 " + s2, "reading 2 " + s2, "status offline"};
  EXPECT_EQ(tail, expected);
}

}  // namespace
