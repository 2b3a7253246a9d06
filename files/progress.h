#pragma once
// Long work (reading, saving, exporting a table) says how far it got and
// learns whether to go on, without knowing who shows it: the window maps
// this to a progress dialog, lcrtool to a line on the terminal.

#include <QtGlobal>
#include <functional>

namespace lcr {

// `step(done, total)` is called now and then while the work runs, `done`
// and `total` in units of the work's own choosing; returning false cancels
// the work. An empty Progress never cancels.
struct Progress {
  std::function<bool(qint64 done, qint64 total)> step;

  bool operator()(qint64 done, qint64 total) const { return !step || step(done, total); }
};

// The share [from, from + span) of `whole`, out of `wholeTotal`: a part of
// the work reports its own done and total, and `whole` sees them scaled
// into that share.
inline Progress PartOf(const Progress& whole, qint64 from, qint64 span, qint64 wholeTotal) {
  if (!whole.step) return {};
  return {[=](qint64 done, qint64 total) {
    const qint64 scaled = total > 0 ? qint64(double(span) * double(qBound<qint64>(0, done, total)) / double(total)) : 0;
    return whole(from + scaled, wholeTotal);
  }};
}

}  // namespace lcr
