#include "session/cycle.h"

#include <cmath>
#include <cstdio>

#include "session/view_updates.h"
#include "link/link_ops.h"

namespace lcr {

std::unique_ptr<Cycle> MakeCycle() {
  auto c = std::make_unique<Cycle>();
  SetGridRowCount(c->grid, c->win.gridRowCount);
  return c;
}

int RateFromInterval(int intervalMs) { return RoundHalfUp(60000.0 / intervalMs); }
int IntervalFromRate(int ratePerMinute) { return RoundHalfUp(60000.0 / ratePerMinute); }

std::string DecideDecimalMark(const QLocale& locale) {
  bool ok = false;
  locale.toDouble(QStringLiteral("0.00"), &ok);
  return ok ? "." : ",";
}

std::string FormatClock(const QDateTime& t) {
  const QTime tm = t.time();
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", tm.hour(), tm.minute(), tm.second());
  return buf;
}

std::string FormatDateClock(const QDateTime& t) {
  const QDate d = t.date();
  const QTime tm = t.time();
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d:%02d:%02d:%02d", d.year(), d.month(), d.day(),
                tm.hour(), tm.minute(), tm.second());
  return buf;
}

void FormCreate(Cycle& c, const QLocale& locale) {
  c.dial = DialStateTexts{};
  c.win.gridRowCount = GridRowsFor(kGridDesignHeight);
  SetGridRowCount(c.grid, c.win.gridRowCount);
  c.acq.DecimalMark = DecideDecimalMark(locale);
}

void SystimeTimer(Cycle& c, const QDateTime& now) {
  WindowModel& w = c.win;
  if (!w.gridEnabled) w.gridEnabled = true;
  w.status[3] = QString::fromLatin1(FormatDateClock(now).c_str());
  if (w.showTime.armed)
    w.status[1] = QStringLiteral("COM%1,9600,n,8,1").arg(c.acq.LinkPort);
  w.status[2] = QStringLiteral("Sampling Rate:%1/Minute").arg(RateFromInterval(w.showTime.intervalMs));
  c.acq.diag.Edit2 = FormatStampFull(now);
}

void SyncControlStates(Cycle& c) {
  WindowModel& w = c.win;
  const bool on = w.startEnabled;
  w.resetEnabled = w.systemSetEnabled = w.openEnabled = w.saveEnabled = on;
  w.exportEnabled = on;
  w.scrollBar1.enabled = w.scrollBar2.enabled = on;
}

namespace {

// Runs one Note* step of the link's health; when the health moved, puts it
// in the last status panel and tells whoever listens.
template <typename Note>
void UpdateLinkHealth(Cycle& c, Note note) {
  const LinkHealthState before = c.link.state;
  note(c.link);
  if (c.link.state == before) return;
  c.win.status[4] = QString::fromStdString(LinkHealthText(c.link.state));
  if (c.onLinkHealthChanged) c.onLinkHealthChanged();
}

}  // namespace

bool ButtonStartClick(Cycle& c, SerialIo& io) {
  c.win.status[0] = QStringLiteral("Detecting\u2026\u2026");
  c.acq.PendingLen = c.acq.ReadPos = c.acq.LinkCount = 0;
  io.ChoosePort(c.portChoice);
  const bool opened = OpenPorts(c.acq, io);
  UpdateLinkHealth(c, [&](LinkMonitor& m) { NoteLooking(m, c.acq, io, c.portChoice); });
  // A chosen port that is not there yet is waited for, as a meter plugged in
  // after Start is; without a choice, no port means no Start.
  if (!opened && c.portChoice.empty()) return false;
  c.win.startEnabled = false;
  c.win.stopEnabled = true;
  SyncControlStates(c);
  c.win.checkCom.Arm(2000);
  return true;
}

void ButtonStopClick(Cycle& c, SerialIo& io) {
  c.win.startEnabled = true;
  c.win.stopEnabled = false;
  c.win.showTime.Disarm();
  c.win.readCom.Disarm();
  SyncControlStates(c);
  ClosePortsExcept(io, 0);
  UpdateLinkHealth(c, NoteStopped);
}

void ButtonResetClick(Cycle& c) {
  c.table.RecordCount = 0;
  c.table.days.Clear();
  c.recordsInFile = 0;
  ResetViews(c);
  UpdateDial(c.dial, c.dialModel, "0", "2" + c.acq.DecimalMark + "2000", c.acq.DecimalMark);
}

void MenuQuitClick(Cycle& c, SerialIo& io) {
  ClosePortsExcept(io, 0);
  UpdateLinkHealth(c, NoteStopped);
}

bool CheckComTimer(Cycle& c, SerialIo& io, const QDateTime& now) {
  c.win.checkCom.Disarm();
  // While Start is in force, ports that would not open at Start are tried
  // again, so a meter plugged in late is found. After Stop the passes that
  // still run only find their reads failing.
  if (c.win.stopEnabled) ReopenFailedPorts(c.acq, io);
  if (DetectionPass(c.acq, io, now)) {
    c.win.showTime.Rearm();
    c.win.readCom.Arm(500);
    UpdateLinkHealth(c, [&](LinkMonitor& m) { NoteLinked(m, c.acq, io, now); });
    ResetPanel(c, c.acq.ActiveFamily);
    return true;
  }
  c.win.checkCom.Arm(2000);
  // After Stop the passes go on over closed ports: the link stays "Stopped".
  if (c.win.stopEnabled)
    UpdateLinkHealth(c, [&](LinkMonitor& m) { NoteLooking(m, c.acq, io, c.portChoice); });
  return false;
}

void ReadComTimer(Cycle& c, SerialIo& io, const QDateTime& now) {
  const ReadPassResult r = ReadPass(c.acq, io, now);
  c.win.readCom.Arm(r.rearmMs);
  if (r.decoded) c.win.status[0] = QStringLiteral("Linking");
  const int bytesRead = c.acq.ReadResult[std::size_t(c.acq.LinkPort)];
  UpdateLinkHealth(c, [&](LinkMonitor& m) { NoteReadPass(m, r.decoded, bytesRead, now); });
}

void ResetPanel(Cycle& c, int family) {
  ResetPanel(c.panel, c.acq.ReceiveBuffer, family);
  if (c.onPanelReset) c.onPanelReset(family);
}

void BuildPanelFlags(std::string_view bits, PanelFlagArray& flags) {
  for (int i = 0; i < kPanelFlagCount; ++i)
    flags[std::size_t(i)] = (int(bits.size()) > i && bits[std::size_t(i)] == '1') ? 1 : 0;
  for (int j = 0; j <= 5; ++j) flags[std::size_t(80 + j)] = flags[std::size_t(1 + 10 * j)];
  if (flags[45] == 1) flags[85] = 1;
}

namespace {

// Moves a bar; true when the move should refresh its view: the position
// changed, the bar is enabled and the table holds records.
bool MoveBar(const Cycle& c, ScrollBarModel& bar, int position) {
  const int old = bar.position;
  bar.position = std::clamp(position, bar.minimum, bar.maximum);
  return bar.position != old && bar.enabled && c.table.RecordCount != 0;
}

}  // namespace

void SetScrollBar1Position(Cycle& c, int position) {
  if (MoveBar(c, c.win.scrollBar1, position)) UpdateChart(c, c.win.scrollBar1.position);
}

void ReachChartToRecord(Cycle& c, int count) {
  if (count <= kChartScrollFromRecords) return;
  c.win.scrollBar1.SetMaximum(count);
  SetScrollBar1Position(c, count);
}

void SetScrollBar2Position(Cycle& c, int position) {
  if (MoveBar(c, c.win.scrollBar2, position)) FillGrid(c, c.win.scrollBar2.position);
}

namespace {

// The scroll bars follow the newest record.
void FollowNewestRecord(Cycle& c) {
  const int count = c.table.RecordCount;
  if (c.win.gridRowCount - 1 < count) {
    FitGridScrollBar(c);  // never below the data-row count: no short page at the top
    SetScrollBar2Position(c, count);
  }
  ReachChartToRecord(c, count);
}

}  // namespace

bool ShowTimeTimer(Cycle& c, const QDateTime& now) {
  AcquisitionState& s = c.acq;
  s.diag.Edit4 = "show time:  " + FormatStampFull(now);
  if (s.LinkCount < 3 || !HoldsReading(s.reading.DisplayCodes)) return false;

  c.SampleTime = now;
  c.sampleTimeText = FormatClock(now);
  if (s.ModelTag != s.ActiveFamily) {
    ResetPanel(c, s.ModelTag);
    s.ActiveFamily = s.ModelTag;
  }
  BuildPanelFlags(s.reading.SegmentFlags, c.PanelFlags);
  AppendRecord(c.table, s.reading, c.sampleTimeText, s.ActiveFamily, std::int32_t(now.date().toJulianDay()));
  FollowNewestRecord(c);
  RenderPanel(c.panel, PanelInput{s.reading, s.DecimalMark, c.PanelFlags}, s.ActiveFamily);
  FillGrid(c, c.table.RecordCount);
  UpdateDial(c.dial, c.dialModel, s.reading.MainValue, s.reading.MainRange, s.DecimalMark);
  UpdateChart(c, c.table.RecordCount);
  if (c.onSampleRecorded) c.onSampleRecorded();
  s.reading.DisplayCodes.assign(kBlankDisplayCodes);
  return true;
}

void ApplySettings(Cycle& c, int pointsPerPage, int ratePerMinute) {
  c.win.pointsPerPage = pointsPerPage;
  c.win.scrollBar1.pageSize = pointsPerPage;
  c.win.showTime.intervalMs = IntervalFromRate(ratePerMinute);
}

}  // namespace lcr
