#include "app/message_box.h"

#include <QGridLayout>
#include <QSpacerItem>

namespace lcr {

int CaptionRoom(const QWidget& box, const QString& caption) {
  return box.fontMetrics().horizontalAdvance(caption) * 5 / 4 + kTitleBarRoom;
}

void FittedMessageBox::showEvent(QShowEvent* event) {
  // QMessageBox takes its size from its layout's minimum in showEvent: a
  // spacer as wide as the caption needs widens it.
  if (!widened_) {
    widened_ = true;
    if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
      grid->addItem(new QSpacerItem(CaptionRoom(*this, windowTitle()), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                    grid->rowCount(), 0, 1, grid->columnCount());
    }
  }
  QMessageBox::showEvent(event);
  if (QWidget* owner = parentWidget()) {
    const QRect frame = owner->window()->frameGeometry();
    move(frame.center() - QPoint(width() / 2, height() / 2));
  }
}

void ShowMessage(QMessageBox::Icon icon, QWidget* owner, const QString& caption, const QString& text) {
  FittedMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
  box.exec();
}

void ShowFileMessage(const FileMessage& message, QWidget* owner) {
  switch (message.kind) {
    case FileMessage::Kind::Done:
      if (!message.text.isEmpty()) ShowMessage(QMessageBox::Information, nullptr, message.caption, message.text);
      break;
    case FileMessage::Kind::Failed: {
      FittedMessageBox box(QMessageBox::Warning, message.caption, message.text, QMessageBox::Ok, owner);
      if (!message.detail.isEmpty()) box.setInformativeText(message.detail);
      box.exec();
      break;
    }
    case FileMessage::Kind::Cancelled:
      break;
  }
}

}  // namespace lcr
