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
// last session?" and, on No, "Discard the N recovered records?" (by default
// with question boxes owned by `window`). Only a Yes to the second removes
// the file; else the records are opened and the file stays, kept in step
// with the table until they are saved or discarded. True when records were
// opened.
bool OfferRecovery(TForm1& window, CrashRecovery& recovery, RecoveryQuestion ask = {});

}  // namespace lcr
