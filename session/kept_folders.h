#pragma once
// The folder each file dialog (Open, Save, each export) last used, kept
// between runs. Nothing is read or kept until the application names a store
// (app/main.cpp does): the tests and lcrtool keep no folders.

#include <QString>

#include "session/kept_settings.h"

namespace lcr {

// The store the folders live in; nullptr keeps nothing.
void KeepFoldersIn(KeyValueStore* store);

// The folder last kept under `key` ("open", "save", "jpg", ...), or "" when
// none was kept or it is gone: the dialog then opens where it would anyway.
QString LastFolder(const QString& key);

// Keeps the folder of `file`, the file the dialog under `key` just chose.
void KeepFolder(const QString& key, const QString& file);

}  // namespace lcr
