#include "app/unsaved_records_box.h"

#include <QKeyEvent>
#include <QPushButton>

namespace lcr {

void DeliberateMessageBox::keyPressEvent(QKeyEvent* event) {
  const bool bare = !(event->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier));
  const QString text = event->text();
  if (bare && !text.isEmpty() && text.front().isLetterOrNumber()) {
    event->accept();
    return;
  }
  QMessageBox::keyPressEvent(event);
}

std::unique_ptr<QMessageBox> MakeUnsavedRecordsBox(QWidget* owner, int count, DroppingCommand command) {
  auto box = std::make_unique<DeliberateMessageBox>(
      QMessageBox::Warning, QStringLiteral("LCR TAVRIK"),
      QString::fromStdString(UnsavedRecordsQuestion(count, command)),
      QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, owner);
  box->setObjectName(QStringLiteral("UnsavedRecordsBox"));
  box->setDefaultButton(QMessageBox::Save);
  box->setEscapeButton(QMessageBox::Cancel);
  box->button(QMessageBox::Save)->setText(QStringLiteral("&Save"));
  box->button(QMessageBox::Discard)->setText(QStringLiteral("&Discard"));
  box->button(QMessageBox::Cancel)->setText(QStringLiteral("&Cancel"));
  return box;
}

UnsavedAnswer AskAboutUnsavedRecords(QWidget* owner, int count, DroppingCommand command) {
  const std::unique_ptr<QMessageBox> box = MakeUnsavedRecordsBox(owner, count, command);
  switch (box->exec()) {
    case QMessageBox::Save:
      return UnsavedAnswer::Save;
    case QMessageBox::Discard:
      return UnsavedAnswer::Discard;
    default:
      return UnsavedAnswer::Cancel;
  }
}

}  // namespace lcr
