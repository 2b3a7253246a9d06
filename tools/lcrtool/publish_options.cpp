#include "publish_options.h"

#include <cstdio>

namespace lcrtool {

bool TakePublishOption(const QStringList& args, int& i, lcr::PublishSettings& settings, std::string* why) {
  const QString& a = args[i];
  std::string* target = a == "--mqtt"                 ? &settings.url
                        : a == "--bench"              ? &settings.bench
                        : a == "--mqtt-ca"            ? &settings.caFile
                        : a == "--mqtt-password-file" ? &settings.passwordFile
                                                      : nullptr;
  if (!target) return false;
  if (i + 1 >= args.size() || args[i + 1].isEmpty()) {
    *why = a.toStdString() + " needs a value";
    return true;
  }
  *target = args[++i].toStdString();
  return true;
}

std::unique_ptr<lcr::CyclePublishing> StartPublishing(const std::string& verb, lcr::Cycle& c,
                                                      const lcr::PublishSettings& settings,
                                                      const std::string& portName) {
  if (settings.url.empty()) return nullptr;
  lcr::PublisherOptions options;
  std::string why;
  if (!lcr::MakePublisherOptions(settings, portName, &options, &why)) {
    std::fprintf(stderr, "%s: %s; not publishing\n", verb.c_str(), why.c_str());
    return nullptr;
  }
  std::fprintf(stderr, "%s: publishing to %s as %s\n", verb.c_str(), lcr::HostPort(options.url).c_str(),
               options.bench.c_str());
  auto publishing = std::make_unique<lcr::CyclePublishing>(c, std::make_unique<lcr::MqttPublisher>(options));
  lcr::CyclePublishing* p = publishing.get();
  // The status words when they change; the counts of a lasting outage only now and then.
  auto told = std::make_shared<std::pair<lcr::PublishStatus, std::chrono::steady_clock::time_point>>();
  p->onStatusChanged = [verb, p, told](const std::string& words) {
    const lcr::PublishStatus now = p->publisher().Status();
    const auto at = std::chrono::steady_clock::now();
    if (!lcr::WorthTelling(told->first, now, at - told->second)) return;
    *told = {now, at};
    std::fprintf(stderr, "%s: %s\n", verb.c_str(), words.c_str());
    std::fflush(stderr);
  };
  p->onNotice = [verb](const std::string& line) {
    std::fprintf(stderr, "%s: %s\n", verb.c_str(), line.c_str());
    std::fflush(stderr);
  };
  p->Pump();
  return publishing;
}

void FinishPublishing(const std::string& verb, std::unique_ptr<lcr::CyclePublishing>& publishing) {
  if (!publishing) return;
  publishing->Finish(std::chrono::seconds(5));
  if (const std::string left = lcr::UnsentText(publishing->publisher()); !left.empty())
    std::fprintf(stderr, "%s: %s\n", verb.c_str(), left.c_str());
  publishing.reset();
}

}  // namespace lcrtool
