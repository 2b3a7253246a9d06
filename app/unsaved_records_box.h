#pragma once
// The question asked before records that are in no file would be dropped
// (closing, File, Open, Reset), in a message box that takes no stray key for
// an answer.

#include <QMessageBox>
#include <memory>

#include "session/file_commands.h"
#include "app/message_box.h"

namespace lcr {

// A message box whose buttons answer only to a deliberate key. A plain
// QMessageBox presses a button when its mnemonic letter is typed without
// Alt, so one stray letter could discard a session. Here letters and digits
// typed without Alt, Ctrl or Meta do nothing; Alt+letter, Enter (the default
// button), Escape (the escape button), Tab and Space work as usual.
class DeliberateMessageBox : public FittedMessageBox {
 public:
  using FittedMessageBox::FittedMessageBox;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

// "N records are not saved. Save them before closing?" (worded for
// `command`) with Save, Discard and Cancel: Enter saves, Escape cancels,
// Alt+D discards. Named "UnsavedRecordsBox".
std::unique_ptr<QMessageBox> MakeUnsavedRecordsBox(QWidget* owner, int count, DroppingCommand command);

// Asks that question and returns the answer (Cancel when the box was closed).
UnsavedAnswer AskAboutUnsavedRecords(QWidget* owner, int count, DroppingCommand command);

}  // namespace lcr
