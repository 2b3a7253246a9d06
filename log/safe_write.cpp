#include "log/safe_write.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace lcr {

namespace {

// Links are followed at most this deep, as the system itself does.
constexpr int kMaxLinkDepth = 40;

bool Fail(QString* error, const QString& why) {
  if (error) *error = why;
  return false;
}

// Opens the existing node and writes into it: a device or a FIFO takes the
// bytes as a stream, and nothing at `path` is replaced.
bool WriteInPlace(const QString& path, QByteArrayView bytes, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return Fail(error, file.errorString());
  if (file.write(bytes.data(), bytes.size()) != bytes.size()) return Fail(error, file.errorString());
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

}  // namespace

bool WriteFileSafely(const QString& path, QByteArrayView bytes, QString* error) {
  const QFileInfo info(path);  // follows links
  if (info.exists() && info.isDir()) return Fail(error, QStringLiteral("%1 is a folder").arg(path));
  if (info.exists() && !info.isFile()) return WriteInPlace(path, bytes, error);

  QSaveFile file(FinalTarget(path));
  if (!file.open(QIODevice::WriteOnly)) return Fail(error, file.errorString());
  if (file.write(bytes.data(), bytes.size()) != bytes.size() || !file.commit()) {
    const QString why = file.errorString();
    file.cancelWriting();
    return Fail(error, why);
  }
  return true;
}

}  // namespace lcr
