#pragma once
// The window's message boxes: wide enough for their caption, centred on the
// window that owns them.

#include <QMessageBox>

#include "files/file_message.h"

namespace lcr {

// Room a title bar takes besides its caption: an icon and the window
// manager's buttons.
inline constexpr int kTitleBarRoom = 150;

// The least width that shows `caption` whole in a title bar (whose font is
// often bolder and larger than the box's).
int CaptionRoom(const QWidget& box, const QString& caption);

// QMessageBox sizes itself from its text alone, so a short text cut the
// caption ("N... e!"); and it is placed before it takes its size, so it sat
// off the owner's centre. This box does both after it has its size.
class FittedMessageBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool widened_ = false;
};

// A fitted box with OK; returns when it is closed.
void ShowMessage(QMessageBox::Icon icon, QWidget* owner, const QString& caption, const QString& text);

// How a file command ended: what went well in an information box of its own,
// what failed in a warning owned by `owner` (which file and why under it),
// nothing when the user cancelled.
void ShowFileMessage(const FileMessage& message, QWidget* owner);

}  // namespace lcr
