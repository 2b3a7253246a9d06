#pragma once
// The state of one acquisition session: the link's state, the table, the
// window model and the models of every view. The session's handlers
// (cycle.h) and the views' updates (view_updates.h) both work on it.

#include <QDateTime>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "lcd/panel_model.h"
#include "link/acquisition_state.h"
#include "link/link_health.h"
#include "session/window_model.h"
#include "table/measurement_table.h"
#include "views/chart_model.h"
#include "views/dial_model.h"
#include "views/grid_model.h"
#include "views/limit_marks.h"

namespace lcr {

inline constexpr int kPanelFlagCount = 101;
using PanelFlagArray = std::array<std::uint8_t, kPanelFlagCount>;

struct Cycle {
  AcquisitionState acq;
  QDateTime SampleTime;     // the last display tick that recorded a sample
  PanelFlagArray PanelFlags{};  // family 68's bar graph, rebuilt each recording tick
  MeasurementTable table;
  WindowModel win;
  ChartModel chart;  // Series1, the statistics texts, ChartFirstRow
  GridModel grid;    // StringGrid1's data rows
  DialStateTexts dial;
  DialModel dialModel;  // bpmain, bpback, MainNO, MTEXT and MTEXTN
  PanelModel panel;     // the LCD replica: visibilities, cell glyphs, bar width
  std::string sampleTimeText;  // "hh:nn:ss" of the last recorded sample
  LinkMonitor link;            // the link's health, shown in status panel 4
  // Rows 1..recordsInFile are in a saved or opened file; later rows are not.
  std::int32_t recordsInFile = 0;
  std::string portChoice;      // the port the user chose; "" looks on ports 1 to 50
  std::string publishTo;       // the broker URL readings are published to; "" publishes nothing
  std::string benchName;       // this bench's name in the topics; "" takes host and port
  FunctionLimits limits;       // marks the grid and the chart; counted by Statistics

  // Hooks for whoever shows the cycle. onPanelReset runs after the panel
  // model was set up for a family (or emptied, for any other tag); onSampleRecorded after a display tick updated every
  // view model and before it clears DisplayCodes.
  std::function<void(int family)> onPanelReset;
  std::function<void()> onSampleRecorded;
  // Runs after the link's health moved (c.link.state); panel 4 shows it already.
  std::function<void()> onLinkHealthChanged;
};

// The cycle holds a 32 KiB receive buffer: keep it on the heap.
std::unique_ptr<Cycle> MakeCycle();

}  // namespace lcr
