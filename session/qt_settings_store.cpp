#include "session/qt_settings_store.h"

namespace lcr {

QtSettingsStore::QtSettingsStore()
    : settings_(QSettings::NativeFormat, QSettings::UserScope, QString::fromLatin1(kSettingsOrganization),
                QString::fromLatin1(kSettingsApplication)) {}

QtSettingsStore::QtSettingsStore(const QString& iniPath) : settings_(iniPath, QSettings::IniFormat) {}

std::optional<QString> QtSettingsStore::Read(const QString& key) const {
  if (!settings_.contains(key)) return std::nullopt;
  // A value that is no single text (a list, a number of another type) reads
  // as its text, or as "", which no rule accepts.
  return settings_.value(key).toString();
}

void QtSettingsStore::Write(const QString& key, const QString& value) { settings_.setValue(key, value); }

QString QtSettingsStore::Sync() {
  settings_.sync();
  // A FormatError tells of the damaged file read at the start, which this
  // write has just replaced.
  if (settings_.status() == QSettings::AccessError) return QStringLiteral("cannot write %1").arg(settings_.fileName());
  return {};
}

}  // namespace lcr
