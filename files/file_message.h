#pragma once
// What a file command tells the user when it ends, worded in this one place:
// the window shows it in a message box, lcrtool prints it on stderr.

#include <QString>

#include "files/data_file.h"

namespace lcr {

struct FileMessage {
  // Failed covers a command refused before it began (an empty table).
  // Saved is Done as the exporters name it.
  enum class Kind { Done, Failed, Cancelled, Saved = Done };
  Kind kind = Kind::Cancelled;
  QString caption;  // the message box's title
  QString text;     // its message; empty when there is nothing to say
  QString detail;   // which file and why, under the message

  bool done() const { return kind == Kind::Done; }
  bool saved() const { return done(); }
  // The message as one line, for a terminal.
  QString Line() const { return detail.isEmpty() ? text : text + QLatin1Char(' ') + detail; }
};

// A failure names the file as given and the system's reason:
// "/mnt/x.txt could not be written: No space left on device".
QString CouldNotBeWritten(const QString& path, const QString& reason);
QString CouldNotBeRead(const QString& path, const QString& reason);

// Save and the exports on a table without records.
FileMessage EmptyTableMessage();

// Who reads the data file: File, Open (and lcrtool's commands that take a
// data file), or lcrtool log continuing the file it was told to write, where
// a file in another format is someone else's and is left alone.
enum class OpenFor { Showing, Continuing };

// How reading the data file at `path` ended; `reason` is ReadDataFile's error.
// Opened says nothing.
FileMessage OpenMessage(OpenOutcome outcome, const QString& path, const QString& reason,
                        OpenFor purpose = OpenFor::Showing);

// File, Save: `error` is WriteDataFile's, when it did not write.
FileMessage SaveMessage(bool written, bool cancelled, const QString& error);

}  // namespace lcr
