#pragma once
// The acquisition cycle: start-up, the buttons, the four timer handlers and
// the display tick, over the shared state and the window model. The main
// window and lcrtool both drive exactly these functions.

#include <QDateTime>
#include <QLocale>
#include <memory>
#include <string>
#include <string_view>

#include "session/session_state.h"
#include "common/text_and_numbers.h"
#include "link/serial_io.h"

namespace lcr {

// Samples per minute shown for a display interval, and the interval for a rate.
int RateFromInterval(int intervalMs);
int IntervalFromRate(int ratePerMinute);

// "." when the locale's number conversion accepts "0.00", else ",".
std::string DecideDecimalMark(const QLocale& locale);

// Start-up steps that need no widgets: dial state, grid rows, decimal mark.
void FormCreate(Cycle& c, const QLocale& locale);

// Clock tick (every 500 ms).
void SystimeTimer(Cycle& c, const QDateTime& now);

// Start; true when detection was armed: a port opened, or the chosen port
// (portChoice) is waited for.
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
void BuildPanelFlags(std::string_view segmentFlags, PanelFlagArray& flags);

// Scroll bar moves, by the user or by the cycle.
void SetScrollBar1Position(Cycle& c, int position);
void SetScrollBar2Position(Cycle& c, int position);
// Once the table holds more records than the chart pages from the start,
// ScrollBar1 reaches to record `count` and stands there.
void ReachChartToRecord(Cycle& c, int count);

// The settings dialog's Apply: points per page and sampling rate.
void ApplySettings(Cycle& c, int pointsPerPage, int ratePerMinute);

// "hh:nn:ss" and "yyyy-mm-dd:hh:nn:ss".
std::string FormatClock(const QDateTime& t);
std::string FormatDateClock(const QDateTime& t);

}  // namespace lcr
