#pragma once
// Writing a whole file without ever destroying what is not a file, and
// without ever losing the old file to a write that failed.
//
// - A regular file (or a new name) is written to a temporary file beside it,
//   every byte checked and synced to the disk, and only then renamed into
//   place. Any failure removes the temporary and leaves the old file
//   byte for byte as it was.
// - A symbolic link stays a link: the file it points to is the one replaced
//   (or created, when the link dangles).
// - A name that exists and is not a regular file (a device, a FIFO, a
//   socket, /dev/stdout) is opened and written directly, never replaced.
// - A folder is refused.
//
// A failure's message names the file as given and the system's reason:
// "/mnt/x.txt could not be written: No space left on device".

#include <QByteArrayView>
#include <QIODevice>
#include <QString>

namespace lcr {

// Writes `bytes` to `path` as above. False, with the message in *error, when
// the bytes could not all be written.
bool WriteFileSafely(const QString& path, QByteArrayView bytes, QString* error);

// The same with what `source` reads until its end, copied a chunk at a time,
// so that a large file never has to be held in memory.
bool WriteFileSafely(const QString& path, QIODevice& source, QString* error);

// A write past the process's file-size limit fails with "File too large"
// instead of killing the process, so the temporary is removed and the
// failure is told like any other. Call once at the start of a program.
void FailOversizeWrites();

// The system's text for an errno value ("No space left on device").
QString SystemErrorText(int errnum);

}  // namespace lcr
