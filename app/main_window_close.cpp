// Closing the main window, File, Open and Reset: records that are in no
// saved or opened file are never dropped without a question.
#include <QCloseEvent>

#include "app/cycle/file_commands.h"
#include "app/main_window.h"
#include "app/unsaved_records_box.h"

namespace lcr {

void TForm1::closeEvent(QCloseEvent* event) {
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
