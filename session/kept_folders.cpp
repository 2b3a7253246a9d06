#include "session/kept_folders.h"

#include <QFileInfo>

namespace lcr {

namespace {

KeyValueStore* g_store = nullptr;

QString FolderKey(const QString& key) { return QStringLiteral("folders/") + key; }

}  // namespace

void KeepFoldersIn(KeyValueStore* store) { g_store = store; }

QString LastFolder(const QString& key) {
  if (!g_store) return {};
  const std::optional<QString> folder = g_store->Read(FolderKey(key));
  if (!folder || folder->isEmpty() || !QFileInfo(*folder).isDir()) return {};
  return *folder;
}

void KeepFolder(const QString& key, const QString& file) {
  if (!g_store || file.isEmpty()) return;
  g_store->Write(FolderKey(key), QFileInfo(file).absolutePath());
}

}  // namespace lcr
