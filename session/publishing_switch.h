#pragma once
// The window's publishing, switched by its settings: Publish to, Bench and
// the port (a default bench name carries the port). Apply() after the
// settings changed starts, restarts or ends publishing; the status words
// go to the link's panel beside the link's own, the latest notice (a journal
// that cannot be written, readings a previous run left) to its tooltip.

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "session/publishing.h"

namespace lcr {

class PublishingSwitch {
 public:
  explicit PublishingSwitch(Cycle& c) : c_(c) {}
  ~PublishingSwitch();

  // Follows c.publishTo, c.benchName and c.portChoice. False, with the
  // reason in `why`, when the URL or the login cannot be used; publishing
  // is then off.
  bool Apply(std::string* why = nullptr);
  // Sends what the broker still acknowledges within `quiet`, then says
  // offline; the rest waits in the queue's journal for the next start.
  // Returns what was left unsent in words (UnsentText), "" when nothing was.
  std::string Finish(std::chrono::milliseconds quiet);

  bool on() const { return publishing_ != nullptr; }
  // "Publishing to host:1883", "Broker unreachable: …", the reason a
  // setting could not be used, or "" when publishing is off.
  const std::string& words() const { return words_; }
  // Runs whenever words() changed.
  std::function<void()> onWordsChanged;
  // The latest line about the queue's journal or the client's set-up ("cannot
  // write the publish queue FILE: reason; ..."), "" when the publishing in
  // force has told none.
  const std::string& notice() const { return notice_; }
  // Runs with each such line, once notice() holds it.
  std::function<void(const std::string& line)> onNotice;

 private:
  void SetWords(std::string words);

  Cycle& c_;
  std::unique_ptr<CyclePublishing> publishing_;
  std::string url_, bench_, port_;  // what publishing_ was made for
  std::string words_;
  std::string notice_;
};

// The link panel's text: the link's own words, and the publishing words
// after them when publishing is on.
std::string LinkPanelText(const std::string& linkWords, const std::string& publishWords);

}  // namespace lcr
