#include "files/file_message.h"

#include <QDir>

namespace lcr {

namespace {

FileMessage Message(FileMessage::Kind kind, const QString& caption, const QString& text) {
  FileMessage m;
  m.kind = kind;
  m.caption = caption;
  m.text = text;
  return m;
}

}  // namespace

QString CouldNotBeWritten(const QString& path, const QString& reason) {
  return QStringLiteral("%1 could not be written: %2").arg(QDir::toNativeSeparators(path), reason);
}

QString CouldNotBeRead(const QString& path, const QString& reason) {
  return QStringLiteral("%1 could not be read: %2").arg(QDir::toNativeSeparators(path), reason);
}

FileMessage EmptyTableMessage() {
  return Message(FileMessage::Kind::Failed, QStringLiteral("No Any Date!"), QStringLiteral("No Any Date!"));
}

FileMessage OpenMessage(OpenOutcome outcome, const QString& path, const QString& reason, OpenFor purpose) {
  const QString caption = QStringLiteral("Open");
  switch (outcome) {
    case OpenOutcome::Opened:
      return Message(FileMessage::Kind::Done, caption, {});
    case OpenOutcome::Cancelled:
      return Message(FileMessage::Kind::Cancelled, caption, {});
    case OpenOutcome::Invalid:
      if (purpose == OpenFor::Continuing)
        return Message(FileMessage::Kind::Failed, caption,
                       QDir::toNativeSeparators(path) + QStringLiteral(" exists and is not a data file; it was left alone"));
      return Message(FileMessage::Kind::Failed, QStringLiteral("Warning "), QStringLiteral("Wrong Data Format!"));
    case OpenOutcome::Unreadable:
      return Message(FileMessage::Kind::Failed, caption, CouldNotBeRead(path, reason));
  }
  return {};
}

FileMessage SaveMessage(bool written, bool cancelled, const QString& error) {
  const QString caption = QStringLiteral("Save TXT File");
  if (written) return Message(FileMessage::Kind::Done, caption, QStringLiteral("Save TXT File Successfully!"));
  if (cancelled) return Message(FileMessage::Kind::Cancelled, caption, {});
  return Message(FileMessage::Kind::Failed, caption, error);
}

}  // namespace lcr
