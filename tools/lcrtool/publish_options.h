#pragma once
// The publishing options of log, watch and replay (--mqtt URL, --bench NAME,
// --mqtt-ca FILE, --mqtt-password-file FILE) and the publishing they start,
// told on stderr.

#include <QStringList>
#include <memory>
#include <string>

#include "session/publishing.h"

namespace lcrtool {

// The usage of the options, for the verbs' --help texts.
inline constexpr char kPublishUsage[] = "[--mqtt URL [--bench NAME] [--mqtt-ca FILE] [--mqtt-password-file FILE]]";

// Takes the publishing option at args[i] (and its value); false when
// args[i] is no such option. A missing value is said in `why`.
bool TakePublishOption(const QStringList& args, int& i, lcr::PublishSettings& settings, std::string* why);

// Publishing for the cycle when --mqtt was given; null without it, or after
// one clear line on stderr when it cannot start (the verb goes on without).
// The status words go to stderr when they change.
std::unique_ptr<lcr::CyclePublishing> StartPublishing(const std::string& verb, lcr::Cycle& c,
                                                      const lcr::PublishSettings& settings,
                                                      const std::string& portName);

// Waits for the broker's acknowledgements while they come, then says
// offline and tells what is left.
void FinishPublishing(const std::string& verb, std::unique_ptr<lcr::CyclePublishing>& publishing);

}  // namespace lcrtool
