#include "files/safe_write.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cstring>
#include <functional>

#ifdef Q_OS_WIN
#include <QSaveFile>
#else
#include <QRandomGenerator>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "files/file_message.h"

namespace lcr {

namespace {

// Links are followed at most this deep, as the system itself does.
constexpr int kMaxLinkDepth = 40;

bool Fail(QString* error, const QString& message) {
  if (error) *error = message;
  return false;
}

bool CannotWrite(QString* error, const QString& path, const QString& reason) {
  return Fail(error, CouldNotBeWritten(path, reason));
}

// Hands the content to `put` piece by piece. `put` returns false when the
// file refused a piece; the feed then stops and returns false. A source that
// cannot be read also stops it, with its reason in *sourceError.
using Put = std::function<bool(const char* data, qint64 size)>;
using Feed = std::function<bool(const Put& put, QString* sourceError)>;

// The name the new file gets: `path`, or the end of its chain of links.
QString FinalTarget(const QString& path) {
  QString target = path;
  for (int depth = 0; depth < kMaxLinkDepth; ++depth) {
    const QFileInfo info(target);
    if (!info.isSymLink()) return target;
    if (info.exists()) return info.canonicalFilePath();
    // A dangling link: follow it by hand to the name it would create.
    target = info.symLinkTarget();
  }
  return target;
}

#ifdef Q_OS_WIN

// Unbuffered, so that each piece reaches the system and a refused one is
// seen at once rather than in a flush whose failure the commit ignores.
bool WriteInPlace(const QString& path, const Feed& feed, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return CannotWrite(error, path, file.errorString());
  QString sourceError;
  const bool fed = feed([&](const char* data, qint64 size) { return file.write(data, size) == size; }, &sourceError);
  if (!fed) return sourceError.isEmpty() ? CannotWrite(error, path, file.errorString()) : Fail(error, sourceError);
  file.close();
  if (file.error() != QFileDevice::NoError) return CannotWrite(error, path, file.errorString());
  return true;
}

bool ReplaceFile(const QString& path, const QString& target, const Feed& feed, QString* error) {
  QSaveFile file(target);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return CannotWrite(error, path, file.errorString());
  QString sourceError;
  const bool fed = feed([&](const char* data, qint64 size) { return file.write(data, size) == size; }, &sourceError);
  if (!fed) {
    const QString reason = file.errorString();
    file.cancelWriting();
    return sourceError.isEmpty() ? CannotWrite(error, path, reason) : Fail(error, sourceError);
  }
  if (!file.commit()) return CannotWrite(error, path, file.errorString());
  return true;
}

#else

// write() until every byte is taken; false with errno set when one fails.
bool PutAll(int fd, const char* data, qint64 size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, std::size_t(std::min<qint64>(size, qint64(1) << 30)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) {
      errno = EIO;  // a regular file never takes nothing
      return false;
    }
    data += n;
    size -= n;
  }
  return true;
}

// Feeds the content into `fd`. On failure *reason is the system's reason or
// the source's message (*fromSource then true).
bool FeedInto(int fd, const Feed& feed, QString* reason, bool* fromSource) {
  int failedWith = 0;
  QString sourceError;
  const bool fed = feed(
      [&](const char* data, qint64 size) {
        if (PutAll(fd, data, size)) return true;
        failedWith = errno;
        return false;
      },
      &sourceError);
  if (fed) return true;
  *fromSource = failedWith == 0;
  *reason = *fromSource ? sourceError : SystemErrorText(failedWith);
  return false;
}

// A device, a FIFO or a socket takes the bytes as a stream; there is nothing
// to replace and nothing to sync.
bool WriteInPlace(const QString& path, const Feed& feed, QString* error) {
  const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return CannotWrite(error, path, SystemErrorText(errno));
  QString reason;
  bool fromSource = false;
  const bool fed = FeedInto(fd, feed, &reason, &fromSource);
  const int closed = ::close(fd);
  const int closeError = errno;
  if (!fed) return fromSource ? Fail(error, reason) : CannotWrite(error, path, reason);
  if (closed != 0 && closeError != EINTR) return CannotWrite(error, path, SystemErrorText(closeError));
  return true;
}

// A new file beside `target`, created with the permissions a new file gets,
// or those of the file it replaces. -1 with errno set when none can be made.
int CreateTemporary(const QString& target, QString* tempPath) {
  struct stat old {};
  const bool replacing = ::stat(QFile::encodeName(target).constData(), &old) == 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const QString name =
        target + QStringLiteral(".%1.part").arg(QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16, QChar('0'));
    const int fd = ::open(QFile::encodeName(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd >= 0) {
      *tempPath = name;
      if (replacing) (void)::fchmod(fd, old.st_mode & 07777);  // best effort, as a copy would
    }
    return fd;
  }
  errno = EEXIST;
  return -1;
}

// The rename itself is made durable too; a folder that cannot be synced
// (some file systems refuse) still holds the complete new file.
void SyncFolderOf(const QString& target) {
  const int fd = ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return;
  (void)::fsync(fd);
  ::close(fd);
}

// Every byte written and synced to the disk before the rename: a full disk,
// a quota or a size limit met on the way leaves the old file as it was.
bool ReplaceFile(const QString& path, const QString& target, const Feed& feed, QString* error) {
  // A file the user may not write to is not replaced behind its back.
  const QByteArray targetName = QFile::encodeName(target);
  if (::access(targetName.constData(), F_OK) == 0 && ::access(targetName.constData(), W_OK) != 0)
    return CannotWrite(error, path, SystemErrorText(errno));
  QString temp;
  const int fd = CreateTemporary(target, &temp);
  if (fd < 0) return CannotWrite(error, path, SystemErrorText(errno));
  const QByteArray tempName = QFile::encodeName(temp);
  QString reason;
  bool fromSource = false;
  bool ok = FeedInto(fd, feed, &reason, &fromSource);
  if (ok && ::fsync(fd) != 0) {
    ok = false;
    reason = SystemErrorText(errno);
  }
  if (::close(fd) != 0 && ok && errno != EINTR) {
    ok = false;
    reason = SystemErrorText(errno);
  }
  if (ok && ::rename(tempName.constData(), targetName.constData()) != 0) {
    ok = false;
    reason = SystemErrorText(errno);
  }
  if (!ok) {
    ::unlink(tempName.constData());
    return fromSource ? Fail(error, reason) : CannotWrite(error, path, reason);
  }
  SyncFolderOf(target);
  return true;
}

#endif

bool WriteThrough(const QString& path, const Feed& feed, QString* error) {
  const QFileInfo info(path);  // follows links
  if (info.exists() && info.isDir())
    return Fail(error, QStringLiteral("%1 is a folder").arg(QDir::toNativeSeparators(path)));
  if (info.exists() && !info.isFile()) return WriteInPlace(path, feed, error);
  return ReplaceFile(path, FinalTarget(path), feed, error);
}

}  // namespace

QString SystemErrorText(int errnum) { return QString::fromLocal8Bit(std::strerror(errnum)); }

bool WriteFileSafely(const QString& path, QByteArrayView bytes, QString* error) {
  return WriteThrough(
      path, [&](const Put& put, QString*) { return put(bytes.data(), bytes.size()); }, error);
}

bool WriteFileSafely(const QString& path, QIODevice& source, QString* error) {
  return WriteThrough(
      path,
      [&](const Put& put, QString* sourceError) {
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        for (;;) {
          const qint64 n = source.read(chunk.data(), chunk.size());
          if (n < 0) return Fail(sourceError, QStringLiteral("cannot read what was to be written: ") + source.errorString());
          if (n == 0) return true;
          if (!put(chunk.constData(), n)) return false;
        }
      },
      error);
}

void FailOversizeWrites() {
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
}

}  // namespace lcr
