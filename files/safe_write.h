#pragma once
// Writing a whole file without ever destroying what is not a file.
//
// - A regular file (or a new name) is written to a temporary file beside it
//   and renamed into place, so a failed write leaves the old file whole.
// - A symbolic link stays a link: the file it points to is the one replaced
//   (or created, when the link dangles).
// - A name that exists and is not a regular file (a device, a FIFO, a
//   socket, /dev/stdout) is opened and written directly, never replaced.
// - A folder is refused.

#include <QByteArrayView>
#include <QIODevice>
#include <QString>

namespace lcr {

// Writes `bytes` to `path` as above. False, with the reason in *error, when
// the bytes could not all be written.
bool WriteFileSafely(const QString& path, QByteArrayView bytes, QString* error);

// The same with what `source` reads until its end, copied a chunk at a time,
// so that a large file never has to be held in memory.
bool WriteFileSafely(const QString& path, QIODevice& source, QString* error);

}  // namespace lcr
