#pragma once
// What the main window shows and which timers run, decided without widgets.
// The window (and lcrtool) apply this model to real widgets and timers.

#include <QString>
#include <algorithm>
#include <array>
#include <cstdint>

namespace lcr {

// A timer as the cycle sees it. Every Arm() restarts the countdown: the
// owner of the real timer restarts it whenever `starts` changes.
struct TimerModel {
  bool armed = false;
  int intervalMs = 500;
  std::uint64_t starts = 0;

  void Arm(int ms) {
    armed = true;
    intervalMs = ms;
    ++starts;
  }
  void Rearm() { Arm(intervalMs); }
  void Disarm() { armed = false; }
};

struct ScrollBarModel {
  int minimum = 1;
  int maximum = 1;
  int position = 1;
  int pageSize = 1;
  bool enabled = true;

  // A scroll bar never holds a maximum below its minimum, and its position
  // stays inside the range.
  void SetMaximum(int value) {
    maximum = std::max(value, minimum);
    position = std::clamp(position, minimum, maximum);
  }
  void SetMinimum(int value) {
    minimum = value;
    maximum = std::max(maximum, minimum);
    position = std::clamp(position, minimum, maximum);
  }
};

inline constexpr int kStatusPanelCount = 5;
// Grid height in the window description is 450: 450 div 16 - 2 = 26 rows,
// the header and 25 data rows.
inline constexpr int kGridDesignHeight = 450;
inline constexpr int kGridRowHeight = 16;
inline constexpr int kDefaultPointsPerPage = 200;
// Past this many records the chart's scroll bar reaches to the last record.
inline constexpr int kChartScrollFromRecords = 200;

// The grid's row count, the header included, for a grid `height` pixels
// high: height div 16 - 2, and never fewer than the header and one data row.
constexpr int GridRowsFor(int height) { return std::max(height / kGridRowHeight - 2, 2); }
inline constexpr int kDefaultDisplayInterval = 500;

struct WindowModel {
  std::array<QString, kStatusPanelCount> status{
      QStringLiteral("STOP"), QString(), QStringLiteral("Sampling Rate:120/Minute"), QString(),
      QStringLiteral("Stopped")};  // the last panel: the link's health

  bool startEnabled = true;
  bool stopEnabled = false;
  bool resetEnabled = true;
  bool systemSetEnabled = true;
  bool openEnabled = true;
  bool saveEnabled = true;
  bool exportEnabled = true;  // every entry of the exporter list
  bool gridEnabled = false;  // until the first clock tick

  TimerModel systime{true, 500, 0};
  TimerModel checkCom{false, 2000, 0};
  TimerModel showTime{false, kDefaultDisplayInterval, 0};
  TimerModel readCom{false, 500, 0};

  ScrollBarModel scrollBar1{kDefaultPointsPerPage, kDefaultPointsPerPage, kDefaultPointsPerPage,
                            kDefaultPointsPerPage, true};
  ScrollBarModel scrollBar2{1, 1, 1, 1, true};

  int gridRowCount = GridRowsFor(kGridDesignHeight);
  int gridHeight = kGridDesignHeight;  // StringGrid1's height in pixels, as laid out
  int pointsPerPage = kDefaultPointsPerPage;  // the chart's maximum points per page
};

}  // namespace lcr
