#include "replay_output.h"

#include "decode/gbk.h"
#include "common/json_line.h"

namespace lcrtool {

namespace {

void Text(lcr::JsonLine& j, const char* key, std::string_view gbk) { j.Key(key).String(lcr::GbkToUtf8(gbk)); }

}  // namespace

std::string FormatReplayLine(const lcr::Cycle& c, long long tick) {
  const lcr::AcquisitionState& s = c.acq;
  const lcr::Reading& r = s.reading;
  lcr::JsonLine j;
  j.BeginObject();
  j.Key("tick").Number(tick);
  j.Key("model").Number(s.ModelTag);
  j.Key("family").Number(s.ActiveFamily);

  j.Key("reading").BeginObject();
  Text(j, "DisplayCodes", r.DisplayCodes);
  Text(j, "MainValue", r.MainValue);
  Text(j, "SubValue", r.SubValue);
  Text(j, "MainRange", r.MainRange);
  Text(j, "SubRange", r.SubRange);
  Text(j, "MainFunction", r.MainFunction);
  Text(j, "SubFunction", r.SubFunction);
  Text(j, "FrameStatus", r.FrameStatus);
  Text(j, "SegmentFlags", r.SegmentFlags);
  j.EndObject();

  j.Key("record").Number(c.table.RecordCount);
  const lcr::MeasurementRecord& rec = c.table.rows[std::size_t(c.table.RecordCount)];
  j.Key("row").BeginObject();
  Text(j, "TimeText", rec.TimeText.View());
  Text(j, "MainValue", rec.MainValue.View());
  Text(j, "MainCaption", rec.MainCaption.View());
  Text(j, "SubValue", rec.SubValue.View());
  Text(j, "SubCaption", rec.SubCaption.View());
  j.EndObject();

  const lcr::PanelModel& panel = c.panel;
  j.Key("panel").BeginObject();
  j.Key("lit").BeginArray();
  for (int segment : lcr::LitSegments(panel)) j.Number(segment);
  j.EndArray();
  j.Key("cells").BeginObject();
  for (const lcr::LitCell& cell : lcr::LitCells(panel)) j.Key(std::to_string(cell.segment)).Number(cell.glyph);
  j.EndObject();
  j.Key("bar");
  if (panel.family == lcr::kFamily730)
    j.Number(panel.barWidth);
  else
    j.Null();
  j.EndObject();

  const lcr::DialModel& dial = c.dialModel;
  j.Key("dial").BeginObject();
  Text(j, "text", dial.MainNO);
  Text(j, "multiplier", dial.multiplier);
  j.Key("face").String(lcr::DialFaceName(dial.face));
  j.Key("angle").Number(dial.angle, 4);
  j.Key("tip").BeginArray().Number(dial.tip.x).Number(dial.tip.y).EndArray();
  j.Key("foot").BeginArray().Number(dial.foot.x).Number(dial.foot.y).EndArray();
  j.EndObject();

  // The plotted values are kept to four decimals by the chart; printed in
  // their shortest exact form they read 1500 or 0.0123, never 1500.0000.
  const lcr::ChartModel& chart = c.chart;
  j.Key("chart").BeginObject();
  j.Key("first").Number(chart.ChartFirstRow);
  j.Key("points").BeginArray();
  for (const lcr::ChartPoint& p : chart.points) {
    if (p.value)
      j.NumberShortest(*p.value);
    else
      j.Null();
  }
  j.EndArray();
  Text(j, "max", chart.Max_Num);
  Text(j, "max_time", chart.Max_Tim);
  Text(j, "min", chart.Min_Num);
  Text(j, "min_time", chart.Min_Tim);
  Text(j, "format", chart.valueFormat);
  j.Key("increment").NumberShortest(chart.increment);
  j.EndObject();

  j.EndObject();
  return j.Text();
}

}  // namespace lcrtool
