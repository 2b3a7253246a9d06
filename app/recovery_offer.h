#pragma once
// Start-up after a crash: offers the records the last session kept in its
// recovery file and, when the user accepts, opens them as File, Open does.

#include <QString>
#include <functional>

namespace lcr {

class CrashRecovery;
class TForm1;

// Asks `question` with Yes and No; true for Yes.
using RecoveryQuestion = std::function<bool(const QString& question)>;

// Nothing when no records wait. Otherwise asks "Recover N records from the
// last session?" (by default with a question box owned by `window`), opens
// them on Yes, and discards the file either way. True when records were opened.
bool OfferRecovery(TForm1& window, CrashRecovery& recovery, RecoveryQuestion ask = {});

}  // namespace lcr
