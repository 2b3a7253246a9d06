// Closing the main window: records that were neither saved nor opened are
// never dropped without a question.
#include <QCloseEvent>
#include <QMessageBox>
#include <QPushButton>

#include "session/file_commands.h"
#include "app/main_window.h"
#include "app/progress_job.h"

namespace lcr {

void TForm1::closeEvent(QCloseEvent* event) {
  // Open, Save or an export is under way: it ends first (or is cancelled).
  if (ProgressJob::Running()) {
    event->ignore();
    return;
  }
  if (!ConfirmClose()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

bool TForm1::ConfirmClose() {
  if (closeAgreed_) return true;
  const int unsaved = UnsavedRecordCount(cycle());
  if (unsaved == 0) return closeAgreed_ = true;

  QMessageBox box(QMessageBox::Warning, QStringLiteral("LCR TAVRIK"),
                  QString::fromStdString(UnsavedRecordsQuestion(unsaved)),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
  box.setObjectName(QStringLiteral("UnsavedRecordsBox"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  box.button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
  box.button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
  box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Cancel"));
  const int choice = box.exec();
  const CloseAnswer answer = choice == QMessageBox::Save      ? CloseAnswer::Save
                             : choice == QMessageBox::Discard ? CloseAnswer::Discard
                                                              : CloseAnswer::Cancel;
  closeAgreed_ = CloseAfterAnswer(answer, [this] { return SaveTable(); });
  return closeAgreed_;
}

}  // namespace lcr
