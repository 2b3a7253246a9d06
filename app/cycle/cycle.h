#pragma once
// The acquisition cycle: start-up, the buttons, the four timer handlers and
// the display tick, over the shared state and the window model. The main
// window and lcrtool both drive exactly these functions.

#include <QDateTime>
#include <QLocale>
#include <functional>
#include <memory>
#include <string>

#include "app/cycle/window_model.h"
#include "common/text_and_numbers.h"
#include "link/acquisition_state.h"
#include "link/link_health.h"
#include "link/serial_io.h"
#include "log/chart_model.h"
#include "log/dial_model.h"
#include "log/grid_model.h"
#include "log/measurement_table.h"
#include "panel/panel_model.h"

namespace lcr {

struct Cycle {
  AcquisitionState acq;
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

// Samples per minute shown for a display interval, and the interval for a rate.
int RateFromInterval(int intervalMs);
int IntervalFromRate(int ratePerMinute);

// "." when the locale's number conversion accepts "0.00", else ",".
std::string DecideDecimalMark(const QLocale& locale);

// Start-up steps that need no widgets: dial state, grid rows, decimal mark.
void FormCreate(Cycle& c, const QLocale& locale);

// Clock tick (every 500 ms).
void SystimeTimer(Cycle& c, const QDateTime& now);

// Start; true when a port opened and detection was armed.
bool ButtonStartClick(Cycle& c, SerialIo& io);
void ButtonStopClick(Cycle& c, SerialIo& io);
void ButtonResetClick(Cycle& c);
// File, Exit: close every port (the caller then quits).
void MenuQuitClick(Cycle& c, SerialIo& io);

// Gives the commands and scroll bars the enabled state of Start.
void SyncControlStates(Cycle& c);

// Check_COM tick: a detection pass; true when a meter was found.
bool CheckComTimer(Cycle& c, SerialIo& io, const QDateTime& now);
// Read_Com tick: a read pass.
void ReadComTimer(Cycle& c, SerialIo& io, const QDateTime& now);
// Show_Time tick: true when a sample was recorded.
bool ShowTimeTimer(Cycle& c, const QDateTime& now);

// Sets the panel up for a family; also zero-fills the receive buffer.
void ResetPanel(Cycle& c, int family);

// PanelFlags from SegmentFlags (flags 80-85 copy 1, 11, .. 51; 45 sets 85).
void BuildPanelFlags(AcquisitionState& s);

// Scroll bar moves, by the user or by the cycle.
void SetScrollBar1Position(Cycle& c, int position);
void SetScrollBar2Position(Cycle& c, int position);

// The settings dialog's Apply: points per page and sampling rate.
void ApplySettings(Cycle& c, int pointsPerPage, int ratePerMinute);

// "hh:nn:ss" and "yyyy-mm-dd:hh:nn:ss".
std::string FormatClock(const QDateTime& t);
std::string FormatDateClock(const QDateTime& t);

}  // namespace lcr
