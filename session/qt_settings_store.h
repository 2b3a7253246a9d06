#pragma once
// The kept settings over QSettings: in the platform's usual place for the
// application (~/.config/LCR TAVRIK/LCR TAVRIK.conf on Linux, the registry
// on Windows), or in an ini file of its own.

#include <QSettings>

#include "session/kept_settings.h"

namespace lcr {

inline constexpr char kSettingsOrganization[] = "LCR TAVRIK";
inline constexpr char kSettingsApplication[] = "LCR TAVRIK";

class QtSettingsStore : public KeyValueStore {
 public:
  QtSettingsStore();
  explicit QtSettingsStore(const QString& iniPath);

  std::optional<QString> Read(const QString& key) const override;
  void Write(const QString& key, const QString& value) override;

  // Writes what changed now; "" when it was written, else why not. A
  // damaged file is replaced.
  QString Sync();

 private:
  QSettings settings_;
};

}  // namespace lcr
