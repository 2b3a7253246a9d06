#pragma once
// What the window keeps between runs, and the rules that decide whether a
// kept value may be used. Anything missing, unreadable or out of its range
// gives the designed default, so a start after a damaged settings file
// looks like a first start. The values live in a KeyValueStore: QSettings
// for the window (qt_settings_store.h), a map in the tests.

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "session/window_model.h"
#include "views/limit_marks.h"
#include "views/main_layout.h"

namespace lcr {

class KeyValueStore {
 public:
  virtual ~KeyValueStore() = default;
  // The text kept under `key`, or nothing.
  virtual std::optional<QString> Read(const QString& key) const = 0;
  virtual void Write(const QString& key, const QString& value) = 0;
};

// The ranges a kept value must lie in.
inline constexpr int kMinRatePerMinute = 1;  // the rate slider's range
inline constexpr int kMaxRatePerMinute = 120;
inline constexpr int kMinPointsPerPage = 50;  // the points slider's range
inline constexpr int kMaxPointsPerPage = 500;
inline constexpr int kMinColumnWidth = 8;
inline constexpr int kMaxColumnWidth = 2000;
inline constexpr int kMinWindowSide = 100;
inline constexpr int kMaxWindowSide = 32767;

struct KeptSettings {
  int ratePerMinute = 60000 / kDefaultDisplayInterval;
  int pointsPerPage = kDefaultPointsPerPage;
  std::string port;                  // the port choice; "" is Automatic
  std::string publishTo;             // the broker URL; "" publishes nothing
  std::string benchName;             // "" names the bench by host and port
  std::optional<LayoutRect> window;  // the main window's normal geometry; none: as designed
  bool maximized = false;
  std::vector<int> columnWidths;     // the grid's columns; empty: as designed
  FunctionLimits limits;             // Statistics' limits and their function; none: none

  friend bool operator==(const KeptSettings&, const KeptSettings&) = default;
};

// The kept settings, each checked on its own. `screens` are the areas free
// for windows on the screens there are now: a window that could not be
// reached on any of them is placed as designed.
KeptSettings LoadKeptSettings(const KeyValueStore& store, const std::vector<LayoutRect>& screens);
void SaveKeptSettings(KeyValueStore& store, const KeptSettings& kept);

// True when a window at `window` (its client area) can be reached: the top
// of it, 100 pixels wide and 40 high, lies on one of `screens`.
bool ReachableOnScreens(const LayoutRect& window, const std::vector<LayoutRect>& screens);

}  // namespace lcr
