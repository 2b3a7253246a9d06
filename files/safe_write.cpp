#include "files/safe_write.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <functional>

namespace lcr {

namespace {

// Links are followed at most this deep, as the system itself does.
constexpr int kMaxLinkDepth = 40;

bool Fail(QString* error, const QString& why) {
  if (error) *error = why;
  return false;
}

// Writes the whole content into an open file; false when a write failed.
using Feed = std::function<bool(QFileDevice& out, QString* error)>;

// Opens the existing node and writes into it: a device or a FIFO takes the
// bytes as a stream, and nothing at `path` is replaced.
bool WriteInPlace(const QString& path, const Feed& feed, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return Fail(error, file.errorString());
  if (!feed(file, error)) return false;
  file.close();
  if (file.error() != QFileDevice::NoError) return Fail(error, file.errorString());
  return true;
}

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

bool WriteThrough(const QString& path, const Feed& feed, QString* error) {
  const QFileInfo info(path);  // follows links
  if (info.exists() && info.isDir()) return Fail(error, QStringLiteral("%1 is a folder").arg(path));
  if (info.exists() && !info.isFile()) return WriteInPlace(path, feed, error);

  QSaveFile file(FinalTarget(path));
  if (!file.open(QIODevice::WriteOnly)) return Fail(error, file.errorString());
  const bool fed = feed(file, error);  // sets *error itself when it fails
  if (fed && file.commit()) return true;
  if (fed) Fail(error, file.errorString());
  file.cancelWriting();
  return false;
}

}  // namespace

bool WriteFileSafely(const QString& path, QByteArrayView bytes, QString* error) {
  return WriteThrough(
      path,
      [&](QFileDevice& out, QString* why) {
        return out.write(bytes.data(), bytes.size()) == bytes.size() || Fail(why, out.errorString());
      },
      error);
}

bool WriteFileSafely(const QString& path, QIODevice& source, QString* error) {
  return WriteThrough(
      path,
      [&](QFileDevice& out, QString* why) {
        QByteArray chunk(1 << 20, Qt::Uninitialized);
        for (;;) {
          const qint64 n = source.read(chunk.data(), chunk.size());
          if (n < 0) return Fail(why, source.errorString());
          if (n == 0) return true;
          if (out.write(chunk.constData(), n) != n) return Fail(why, out.errorString());
        }
      },
      error);
}

}  // namespace lcr
