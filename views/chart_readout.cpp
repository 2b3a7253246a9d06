#include "views/chart_readout.h"

#include <algorithm>

#include "common/text_and_numbers.h"
#include "table/record_text.h"
#include "table/caption_unit.h"

namespace lcr {

namespace {

std::string ReadoutText(const MeasurementRecord& rec) {
  std::string text(Trim(rec.TimeText.View()));
  text += " | ";
  text += Trim(rec.MainValue.View());
  text += ' ';
  text += CaptionUnit(rec.MainCaption.View());
  return text;
}

}  // namespace

Readout Chart1MouseMove(const ReadoutInput& in, const ChartModel& chart, const MeasurementTable& table) {
  Readout out;
  if (chart.points.empty()) return out;
  if (in.x > in.width - 12 || in.y > in.height - 20 || in.y < 10) {
    out.visibility = Readout::Visibility::Hidden;
    return out;
  }
  // Left of the last 200 pixels the box sits right of the mouse, else left of it.
  if (in.x < in.width - 200)
    out.boxLeft = in.x + 10;
  else if (in.x < in.width - 12)
    out.boxLeft = in.x - 160;
  out.boxTop = in.y + 10;
  out.lineLeft = in.x + 2;
  out.placed = true;

  const int i = RoundHalfUp(std::clamp(in.axisValueAtX2, -1e9, 1e9));
  if (i < 0) {
    out.visibility = Readout::Visibility::Hidden;
    return out;
  }
  out.visibility = Readout::Visibility::Shown;
  if (i >= int(chart.points.size())) {
    out.text = " ";
    return out;
  }
  out.row = static_cast<long long>(chart.ChartFirstRow) + i;
  out.text = ReadoutText(RowAt(table, *out.row));
  return out;
}

bool ReadoutStillHolds(const std::optional<long long>& row, const std::string& text, const ChartModel& chart,
                       const MeasurementTable& table) {
  if (chart.points.empty()) return false;
  if (!row) return true;
  const long long first = chart.ChartFirstRow;
  if (*row < first || *row >= first + static_cast<long long>(chart.points.size())) return false;
  return ReadoutText(RowAt(table, *row)) == text;
}

}  // namespace lcr
