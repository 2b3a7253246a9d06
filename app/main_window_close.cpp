// Closing the main window, File, Open and Reset: records that are in no
// saved or opened file are never dropped without a question.
#include <QCloseEvent>

#include "session/file_commands.h"
#include "app/main_window.h"
#include "app/progress_job.h"
#include "app/unsaved_records_box.h"

namespace lcr {

void TForm1::closeEvent(QCloseEvent* event) {
  // Open, Save or an export is under way: it ends first (or is cancelled).
  if (ProgressJob::Running()) {
    event->ignore();
    return;
  }
  if (!closeAgreed_) closeAgreed_ = ConfirmDropRecords(DroppingCommand::Close);
  if (!closeAgreed_) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

bool TForm1::ConfirmDropRecords(DroppingCommand command) {
  if (UnsavedRecordCount(cycle()) == 0) return true;
  if (StopBeforeAsking(cycle())) Button_StopClick();
  const UnsavedAnswer answer = AskAboutUnsavedRecords(this, UnsavedRecordCount(cycle()), command);
  return GoOnAfterAnswer(answer, [this] { return SaveTable(); });
}

}  // namespace lcr
