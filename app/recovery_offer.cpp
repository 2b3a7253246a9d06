#include "app/recovery_offer.h"

#include <QMessageBox>

#include "session/crash_recovery.h"
#include "session/file_commands.h"
#include "app/main_window.h"

namespace lcr {

bool OfferRecovery(TForm1& window, CrashRecovery& recovery, RecoveryQuestion ask) {
  const int pending = recovery.PendingRecords();
  if (pending <= 0) return false;
  if (!ask) {
    ask = [&window](const QString& question) {
      return QMessageBox::question(&window, QStringLiteral("LCR TAVRIK"), question) == QMessageBox::Yes;
    };
  }
  const bool accepted = ask(QString::fromStdString(RecoverRecordsQuestion(pending)));
  if (accepted) {
    window.OpenDataFile(recovery.path());
    // The recovery file goes now, so these records live nowhere else:
    // closing must ask about them as about records just taken.
    MarkTableUnsaved(window.cycle());
  }
  recovery.Discard();
  return accepted;
}

}  // namespace lcr
