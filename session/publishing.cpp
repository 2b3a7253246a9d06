#include "session/publishing.h"

#include <QFileInfo>
#include <QSysInfo>
#include <QUuid>

#include "publish/bench_name.h"
#include "publish/broker_login.h"
#include "publish/reading_message.h"
#include "session/crash_recovery.h"

namespace lcr {

std::string PublishQueuePath(const std::string& bench) {
  const QString folder = QFileInfo(CrashRecovery::DefaultPath()).absolutePath();
  return (folder + QStringLiteral("/publish-queue-") + QString::fromStdString(bench) + QStringLiteral(".txt"))
      .toStdString();
}

bool MakePublisherOptions(const PublishSettings& settings, const std::string& portName, PublisherOptions* options,
                          std::string* why) {
  const std::optional<BrokerUrl> url = ParseBrokerUrl(settings.url, why);
  if (!url) return false;
  PublisherOptions o;
  o.url = *url;
  if (!ReadMqttPassword(settings.passwordFile, &o.password, why)) return false;
  o.caFile = settings.caFile;
  o.bench = settings.bench.empty() ? DefaultBenchName(QSysInfo::machineHostName().toStdString(), portName)
                                   : TopicLevel(settings.bench);
  o.queuePath = PublishQueuePath(o.bench);
  *options = std::move(o);
  return true;
}

std::string UnsentText(const MqttPublisher& publisher) {
  const std::size_t left = publisher.Status().waiting;
  if (left == 0) return {};
  const std::string readings = GroupedCount(left) + " readings not acknowledged by the broker are ";
  if (!publisher.journalled()) return readings + "lost: the queue's journal could not be written";
  return readings + "kept in " + publisher.queuePath() + " and sent at the next start";
}

CyclePublishing::CyclePublishing(Cycle& c, std::unique_ptr<MqttPublisher> publisher)
    : c_(c), publisher_(std::move(publisher)) {
  previousSample_ = std::exchange(c_.onSampleRecorded, [this] {
    if (previousSample_) previousSample_();
    OnSample();
  });
  previousHealth_ = std::exchange(c_.onLinkHealthChanged, [this] {
    if (previousHealth_) previousHealth_();
    OnLinkHealth();
  });
  NewSession();
  publisher_->Start();
  OnLinkHealth();
  timer_.setInterval(50);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Pump(); });
  timer_.start();
}

CyclePublishing::~CyclePublishing() {
  c_.onSampleRecorded = std::move(previousSample_);
  c_.onLinkHealthChanged = std::move(previousHealth_);
}

void CyclePublishing::NewSession() {
  session_ = QUuid::createUuid().toString(QUuid::WithoutBraces).toStdString();
  seq_ = 0;
}

void CyclePublishing::OnSample() {
  if (c_.table.RecordCount < 1) return;
  FollowLink();  // the family may have changed under the link
  publisher_->Publish(ReadingPayload(c_.table.rows[std::size_t(c_.table.RecordCount)], c_.acq.ActiveFamily,
                                     c_.SampleTime, ++seq_, session_));
}

void CyclePublishing::OnLinkHealth() {
  const LinkHealth now = c_.link.state.health;
  if (health_ == LinkHealth::Stopped && now != LinkHealth::Stopped) NewSession();  // Start
  health_ = now;
  FollowLink();
}

void CyclePublishing::FollowLink() {
  const int family = health_ == LinkHealth::Linked ? c_.acq.ActiveFamily : -1;
  if (family == onlineFamily_) return;
  onlineFamily_ = family;
  if (family == -1) publisher_->SetOffline();
  else publisher_->SetOnline(family);
}

void CyclePublishing::Pump() {
  publisher_->Pump();
  for (const std::string& line : publisher_->TakeNotices())
    if (onNotice) onNotice(line);
  std::string words = statusText();
  if (words != lastWords_) {
    lastWords_ = std::move(words);
    if (onStatusChanged) onStatusChanged(lastWords_);
  }
}

bool CyclePublishing::Finish(std::chrono::milliseconds quiet) {
  timer_.stop();
  auto lastProgress = std::chrono::steady_clock::now();
  std::size_t before = publisher_->Status().waiting;
  while (!publisher_->WaitUntilSent(std::chrono::milliseconds(100))) {
    const PublishStatus s = publisher_->Status();
    // A broker known to be away or to refuse is not waited for: the journal keeps the rest.
    if (s.state != PublishState::Publishing && s.state != PublishState::Connecting) break;
    const auto now = std::chrono::steady_clock::now();
    if (s.waiting < before) lastProgress = now;
    before = s.waiting;
    if (now - lastProgress >= quiet) break;
  }
  Pump();
  const bool sent = publisher_->Status().waiting == 0;
  publisher_->Stop();
  return sent;
}

}  // namespace lcr
