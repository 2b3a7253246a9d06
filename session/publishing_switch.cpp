#include "session/publishing_switch.h"

#include <utility>

namespace lcr {

PublishingSwitch::~PublishingSwitch() = default;

bool PublishingSwitch::Apply(std::string* why) {
  if (publishing_ && url_ == c_.publishTo && bench_ == c_.benchName && port_ == c_.portChoice) return true;
  publishing_.reset();  // says offline and keeps what is unsent in the journal
  url_ = c_.publishTo;
  bench_ = c_.benchName;
  port_ = c_.portChoice;
  notice_.clear();
  if (url_.empty()) {
    SetWords({});
    return true;
  }
  PublisherOptions options;
  std::string reason;
  if (!MakePublisherOptions(PublishSettings{url_, bench_, {}, {}}, port_, &options, &reason)) {
    SetWords("Not publishing: " + reason);
    if (why) *why = reason;
    return false;
  }
  publishing_ = std::make_unique<CyclePublishing>(c_, std::make_unique<MqttPublisher>(std::move(options)));
  publishing_->onStatusChanged = [this](const std::string& words) { SetWords(words); };
  publishing_->onNotice = [this](const std::string& line) {
    notice_ = line;
    if (onNotice) onNotice(line);
  };
  SetWords(publishing_->statusText());
  return true;
}

std::string PublishingSwitch::Finish(std::chrono::milliseconds quiet) {
  std::string left;
  if (publishing_) {
    publishing_->Finish(quiet);
    left = UnsentText(publishing_->publisher());
  }
  publishing_.reset();
  return left;
}

void PublishingSwitch::SetWords(std::string words) {
  if (words == words_) return;
  words_ = std::move(words);
  if (onWordsChanged) onWordsChanged();
}

std::string LinkPanelText(const std::string& linkWords, const std::string& publishWords) {
  if (publishWords.empty()) return linkWords;
  if (linkWords.empty()) return publishWords;
  return linkWords + " \xC2\xB7 " + publishWords;
}

}  // namespace lcr
