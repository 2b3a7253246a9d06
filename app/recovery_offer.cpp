#include "app/recovery_offer.h"

#include <QMessageBox>

#include "session/crash_recovery.h"
#include "session/file_commands.h"
#include "app/main_window.h"
#include "app/unsaved_records_box.h"

namespace lcr {

namespace {

// Yes and No, Enter taking `defaultButton`; no stray letter answers.
bool AskYesNo(QWidget* owner, const QString& question, QMessageBox::StandardButton defaultButton) {
  DeliberateMessageBox box(QMessageBox::Question, QStringLiteral("LCR TAVRIK"), question,
                           QMessageBox::Yes | QMessageBox::No, owner);
  box.setDefaultButton(defaultButton);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace

bool OfferRecovery(TForm1& window, CrashRecovery& recovery, RecoveryQuestion ask) {
  const int pending = recovery.PendingRecords();
  if (pending <= 0) {
    recovery.Discard();  // nothing in it could be opened
    return false;
  }
  if (!ask) {
    ask = [&window, pending](const QString& question) {
      // Discarding takes a Yes given on purpose; recovering is the safe default.
      const bool discarding = question == QString::fromStdString(DiscardRecoveredQuestion(pending));
      return AskYesNo(&window, question, discarding ? QMessageBox::No : QMessageBox::Yes);
    };
  }
  const RecoveryChoice choice =
      AskAboutRecovery(pending, [&ask](const std::string& question) { return ask(QString::fromStdString(question)); });
  if (choice == RecoveryChoice::Discard) {
    recovery.Discard();
    return false;
  }
  window.OpenDataFile(recovery.path());
  if (window.cycle().table.RecordCount != pending) return false;  // not taken in: the file waits for the next start
  // These records live in the recovery file only: closing, Open and Reset
  // ask about them, and the file follows the table from now on.
  MarkTableUnsaved(window.cycle());
  recovery.Adopt();
  return true;
}

}  // namespace lcr
