// Publishing against a real Mosquitto broker: every reading arrives once and
// in order, none is lost across a broker restart or a program restart, a
// killed program's bench goes offline, TLS, and a refused login.
#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include "publish/mqtt_publisher.h"
#include "publish/publish_status.h"
#include "publish/broker_fixture.h"  // tests/publish/
#include "test_support.h"

namespace {

using lcrtest::Broker;
using lcrtest::Message;
using lcrtest::Subscriber;

// A capture of `n` read passes, each bringing one frame with its own value.
QString Capture(int n) {
  std::vector<lcrtest::Bytes> reads{lcrtest::Concat({lcrtest::Frame730Value(1), lcrtest::Frame730Value(1)})};
  for (int k = 0; k < n; ++k) reads.push_back(lcrtest::Frame730Value(k % 1999 + 1));
  return lcrtest::WriteTempFile(lcrtest::ReplayScript(reads));
}

QJsonObject Json(const std::string& payload) {
  return QJsonDocument::fromJson(QByteArray::fromStdString(payload)).object();
}

std::vector<Message> Readings(const std::vector<Message>& all) {
  std::vector<Message> out;
  for (const Message& m : all)
    if (m.topic.ends_with("/reading")) out.push_back(m);
  return out;
}

// Each test's own data folder, so the queue's journal is its own.
struct DataHome {
  QTemporaryDir dir;
  DataHome() { qputenv("XDG_DATA_HOME", dir.path().toUtf8()); }
};

std::string Url(const Broker& b, const char* scheme = "mqtt") {
  return std::string(scheme) + "://127.0.0.1:" + std::to_string(b.port()) + "/lab";
}

TEST(Broker, ReplayArrivesOnceInOrderAndLeavesStdoutAlone) {
  DataHome home;
  Broker broker;
  ASSERT_TRUE(broker.Start());
  Subscriber sub(broker.port(), "lab/#");
  const QString capture = Capture(300);

  const auto plain = lcrtest::RunProgram(LCRTOOL_PATH, {"replay", capture});
  const auto published = lcrtest::RunProgram(
      LCRTOOL_PATH, {"replay", "--mqtt", QString::fromStdString(Url(broker)), "--bench", "b1", capture});
  ASSERT_EQ(published.exitCode, 0) << published.err.toStdString();
  EXPECT_EQ(published.out, plain.out);  // byte for byte
  const QList<QByteArray> lines = plain.out.trimmed().split('\n');
  ASSERT_GT(lines.size(), 250);

  ASSERT_TRUE(sub.WaitFor([&](const auto& all) { return Readings(all).size() >= std::size_t(lines.size()); }));
  const std::vector<Message> got = Readings(sub.Messages());
  ASSERT_EQ(got.size(), std::size_t(lines.size()));  // once each
  const QString session = Json(got[0].payload)["session"].toString();
  for (std::size_t k = 0; k < got.size(); ++k) {
    EXPECT_EQ(got[k].topic, "lab/b1/reading");
    const QJsonObject msg = Json(got[k].payload);
    const QJsonObject line = QJsonDocument::fromJson(lines[qsizetype(k)]).object()["row"].toObject();
    EXPECT_EQ(msg["seq"].toInteger(), qint64(k + 1));
    EXPECT_EQ(msg["session"].toString(), session);
    EXPECT_EQ(msg["MainValue"].toString(), line["MainValue"].toString().trimmed()) << k;
    EXPECT_EQ(msg["family"].toInt(), 730);
  }
  // Online while linked, offline after a clean end; both retained for later subscribers.
  Subscriber late(broker.port(), "lab/b1/status");
  ASSERT_TRUE(late.WaitFor([](const auto& all) { return !all.empty(); }));
  EXPECT_TRUE(late.Messages()[0].retained);
  EXPECT_EQ(Json(late.Messages()[0].payload)["state"].toString(), "offline");
  bool online = false;
  for (const Message& m : sub.Messages())
    online |= m.topic == "lab/b1/status" && Json(m.payload)["state"] == "online" && Json(m.payload)["family"] == 730;
  EXPECT_TRUE(online);

  // A bad URL is said once; the replay goes on unchanged.
  const auto bad = lcrtest::RunProgram(LCRTOOL_PATH, {"replay", "--mqtt", "http://x/lab", capture});
  EXPECT_EQ(bad.exitCode, 0);
  EXPECT_EQ(bad.out, plain.out);
  EXPECT_TRUE(bad.err.contains("bad broker URL")) << bad.err.toStdString();
}

lcr::PublisherOptions Options(const Broker& b, const QTemporaryDir& dir, const char* scheme = "mqtt") {
  std::string why;
  lcr::PublisherOptions o;
  o.url = *lcr::ParseBrokerUrl(Url(b, scheme), &why);
  o.bench = "b2";
  o.queuePath = dir.filePath("queue.txt").toStdString();
  return o;
}

std::string Payload(int seq) { return "{\"seq\":" + std::to_string(seq) + "}"; }

bool PumpUntil(lcr::MqttPublisher& p, const std::function<bool()>& ready) {
  return lcrtest::WaitUntil([&] {
    p.Pump();
    return ready();
  });
}

TEST(Broker, NothingLostWhileTheBrokerRestarts) {
  Broker broker;
  ASSERT_TRUE(broker.Start());
  Subscriber sub(broker.port(), "lab/b2/reading");
  QTemporaryDir dir;
  lcr::MqttPublisher pub(Options(broker, dir));
  pub.Start();
  constexpr int kEach = 2000;
  int seq = 0;
  while (seq < kEach) pub.Publish(Payload(++seq));
  broker.Stop();  // with readings still in flight
  ASSERT_TRUE(PumpUntil(pub, [&] { return pub.Status().state == lcr::PublishState::Unreachable; }));
  while (seq < 2 * kEach) pub.Publish(Payload(++seq));
  EXPECT_TRUE(lcr::PublishStatusText(pub.Status()).starts_with("Broker unreachable: "));
  EXPECT_TRUE(lcr::PublishStatusText(pub.Status()).ends_with(" readings waiting"));
  EXPECT_GE(pub.Status().waiting, std::size_t(kEach));
  ASSERT_TRUE(broker.Start());
  while (seq < 3 * kEach) pub.Publish(Payload(++seq));
  ASSERT_TRUE(pub.WaitUntilSent(std::chrono::seconds(20)));

  ASSERT_TRUE(sub.WaitFor([&](const auto& all) {
    std::vector<bool> seen(3 * kEach + 1);
    for (const Message& m : all) seen[std::size_t(Json(m.payload)["seq"].toInt())] = true;
    return std::count(seen.begin() + 1, seen.end(), true) == 3 * kEach;
  }));
  // Repeats only of whole messages: every payload is the one of its seq.
  for (const Message& m : sub.Messages()) EXPECT_EQ(m.payload, Payload(Json(m.payload)["seq"].toInt()));
}

TEST(Broker, AQueueLeftBehindIsSentAtTheNextStart) {
  DataHome home;
  Broker broker;  // not started yet: nobody listens on its port
  const QString capture = Capture(50);
  const QStringList args{"replay", "--mqtt", QString::fromStdString(Url(broker)), "--bench", "b3", capture};
  const auto first = lcrtest::RunProgram(LCRTOOL_PATH, args);
  EXPECT_EQ(first.exitCode, 0);
  EXPECT_TRUE(first.err.contains("Broker unreachable")) << first.err.toStdString();
  EXPECT_TRUE(first.err.contains("sent at the next start")) << first.err.toStdString();
  const int n = int(first.out.count('\n'));

  ASSERT_TRUE(broker.Start());
  Subscriber sub(broker.port(), "lab/b3/reading");
  const auto second = lcrtest::RunProgram(LCRTOOL_PATH, args);
  EXPECT_EQ(second.exitCode, 0) << second.err.toStdString();
  ASSERT_TRUE(sub.WaitFor([&](const auto& all) { return all.size() >= std::size_t(2 * n); }));
  const std::vector<Message> got = sub.Messages();
  ASSERT_EQ(got.size(), std::size_t(2 * n));
  // The first run's readings first, each session gapless.
  for (int k = 0; k < 2 * n; ++k) EXPECT_EQ(Json(got[std::size_t(k)].payload)["seq"].toInt(), k % n + 1);
  EXPECT_NE(Json(got[0].payload)["session"], Json(got[std::size_t(n)].payload)["session"]);
}

TEST(Broker, AKilledProgramsBenchGoesOffline) {
  DataHome home;
  Broker broker;
  ASSERT_TRUE(broker.Start());
  Subscriber sub(broker.port(), "lab/b4/#");
  lcrtest::Simulator sim;
  ASSERT_TRUE(sim.Start({"--family", "730", "--interval", "50"}));
  QTemporaryDir dir;
  QProcess log;
  log.start(LCRTOOL_PATH, {"log", "--port", sim.Device(), "--rate", "120", "--out", dir.filePath("log.txt"), "--mqtt",
                           QString::fromStdString(Url(broker)), "--bench", "b4"});
  auto lastStatus = [](const std::vector<Message>& all) {
    std::string state;
    for (const Message& m : all)
      if (m.topic == "lab/b4/status") state = Json(m.payload)["state"].toString().toStdString();
    return state;
  };
  ASSERT_TRUE(sub.WaitFor([&](const auto& all) { return lastStatus(all) == "online" && Readings(all).size() >= 2; }));
  log.kill();  // SIGKILL: no goodbye, only the last will
  log.waitForFinished();
  ASSERT_TRUE(sub.WaitFor([&](const auto& all) { return lastStatus(all) == "offline"; }));
}

// A CA and a server certificate for 127.0.0.1, made here.
bool MakeCertificates(const QTemporaryDir& dir) {
  const QString d = dir.path() + "/";
  lcrtest::WriteTempFile("");  // keeps WriteTempFile's folder alive
  QFile ext(d + "ext.cnf");
  if (!ext.open(QIODevice::WriteOnly)) return false;
  ext.write("subjectAltName=IP:127.0.0.1\n");
  ext.close();
  const QStringList ec{"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
  return lcrtest::RunProgram("openssl", QStringList{"req", "-x509"} + ec +
                                            QStringList{"-keyout", d + "ca.key", "-out", d + "ca.crt", "-days", "2",
                                                        "-subj", "/CN=lcrtest CA"})
                 .exitCode == 0 &&
         lcrtest::RunProgram("openssl", QStringList{"req"} + ec +
                                            QStringList{"-keyout", d + "server.key", "-out", d + "server.csr",
                                                        "-subj", "/CN=127.0.0.1"})
                 .exitCode == 0 &&
         lcrtest::RunProgram("openssl", {"x509", "-req", "-in", d + "server.csr", "-CA", d + "ca.crt", "-CAkey",
                                         d + "ca.key", "-CAcreateserial", "-out", d + "server.crt", "-days", "2",
                                         "-extfile", d + "ext.cnf"})
                 .exitCode == 0;
}

TEST(Broker, TlsWithTheGivenCaAndAClearFailureWithout) {
  QTemporaryDir certs;
  ASSERT_TRUE(MakeCertificates(certs));
  const std::string d = certs.path().toStdString() + "/";
  Broker broker("cafile " + d + "ca.crt\ncertfile " + d + "server.crt\nkeyfile " + d + "server.key\n");
  ASSERT_TRUE(broker.Start());

  QTemporaryDir dir;
  lcr::PublisherOptions o = Options(broker, dir, "mqtts");
  o.caFile = d + "ca.crt";
  lcr::MqttPublisher pub(o);
  pub.Start();
  pub.Publish(Payload(1));
  ASSERT_TRUE(pub.WaitUntilSent(std::chrono::seconds(10)));
  EXPECT_EQ(lcr::PublishStatusText(pub.Status()), "Publishing to 127.0.0.1:" + std::to_string(broker.port()));

  // The system's CA store does not know the test's CA.
  QTemporaryDir dir2;
  lcr::MqttPublisher stranger(Options(broker, dir2, "mqtts"));
  stranger.Start();
  ASSERT_TRUE(PumpUntil(stranger, [&] { return stranger.Status().state == lcr::PublishState::TlsFailure; }));
  EXPECT_TRUE(lcr::PublishStatusText(stranger.Status())
                  .starts_with("TLS failure with 127.0.0.1:" + std::to_string(broker.port())));
  EXPECT_TRUE(lcr::PublishStatusText(stranger.Status()).ends_with(": certificate verify failed"));
}

TEST(Broker, ARefusedLoginIsSaidAndTheRightOneWorks) {
  QTemporaryDir dir;
  const QString passwords = dir.filePath("passwd");
  ASSERT_EQ(lcrtest::RunProgram("mosquitto_passwd", {"-c", "-b", passwords, "alice", "right"}).exitCode, 0);
  Broker broker("allow_anonymous false\npassword_file " + passwords.toStdString() + "\n");
  ASSERT_TRUE(broker.Start());

  lcr::PublisherOptions o = Options(broker, dir);
  o.url.user = "alice";
  o.password = "wrong";
  lcr::MqttPublisher refused(o);
  refused.Start();
  ASSERT_TRUE(PumpUntil(refused, [&] { return refused.Status().state == lcr::PublishState::Refused; }));
  EXPECT_EQ(lcr::PublishStatusText(refused.Status()), "Broker refused the login");
  refused.Stop();

  o.password = "right";
  o.queuePath = dir.filePath("queue2.txt").toStdString();
  lcr::MqttPublisher welcome(o);
  welcome.Start();
  welcome.Publish(Payload(1));
  EXPECT_TRUE(welcome.WaitUntilSent(std::chrono::seconds(10)));
}

// A topic libmosquitto refuses is said in the status words, never shown as
// publishing while nothing goes out.
TEST(Broker, ATopicTheClientRefusesIsSaidNotStalledOn) {
  Broker broker;
  ASSERT_TRUE(broker.Start());
  const std::string cannot = "Cannot publish to 127.0.0.1:" + std::to_string(broker.port()) + ": ";
  QTemporaryDir dir;
  lcr::PublisherOptions o = Options(broker, dir);
  o.url.prefix = "lab\xC2\x85";  // a C1 control: the last will's topic is refused
  lcr::MqttPublisher bad(o);
  bad.Start();
  EXPECT_TRUE(lcr::PublishStatusText(bad.Status()).starts_with(cannot)) << lcr::PublishStatusText(bad.Status());

  // A reading an older run journalled under such a topic: it and what follows wait, and the words say why.
  QTemporaryDir dir2;
  o = Options(broker, dir2);
  QFile journal(QString::fromStdString(o.queuePath));
  ASSERT_TRUE(journal.open(QIODevice::WriteOnly));
  journal.write("R 1 lab/b2\xFF/reading\t" + QByteArray::fromStdString(Payload(1)) + "\n");
  journal.close();
  lcr::MqttPublisher pub(o);
  pub.Start();
  pub.Publish(Payload(2));
  ASSERT_TRUE(PumpUntil(pub, [&] { return pub.Status().state == lcr::PublishState::CannotPublish; }))
      << lcr::PublishStatusText(pub.Status());
  EXPECT_TRUE(lcr::PublishStatusText(pub.Status()).starts_with(cannot));
  EXPECT_EQ(pub.Status().waiting, 2u);
}

}  // namespace
