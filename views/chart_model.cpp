#include "views/chart_model.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "common/text_and_numbers.h"
#include "decode/value_words.h"
#include "table/record_text.h"

namespace lcr {

int PrefixCode(char prefix) {
  switch (prefix) {
    case 'p': return 0;
    case 'n': return 3;
    case 'u': return 6;
    case 'm': return 9;
    case ' ': return 12;
    case 'K': return 15;
    case 'M': return 18;
    default: return 0;
  }
}

int CaptionPrefixCode(std::string_view caption) {
  static constexpr std::string_view kPrefixes = " KMmnpu";
  const int n = int(caption.size());
  // The unit follows the prefix, so the scan starts one character early.
  for (int pos = n - 1; pos >= n - 4 && pos >= 1; --pos) {
    const char ch = caption[std::size_t(pos - 1)];
    if (kPrefixes.find(ch) != std::string_view::npos) return PrefixCode(ch);
  }
  return 0;
}

namespace {

// The full-scale number of a caption: from its first digit, the run of
// digits and "."; as much of that run as reads as a number ("1.2.3" reads
// 1.2). None when the caption holds no digit.
std::optional<double> FullScale(std::string_view caption) {
  const auto isDigit = [](char ch) { return ch >= '0' && ch <= '9'; };
  std::size_t first = 0;
  while (first < caption.size() && !isDigit(caption[first])) ++first;
  if (first == caption.size()) return std::nullopt;
  std::size_t last = first;
  while (last < caption.size() && (isDigit(caption[last]) || caption[last] == '.')) ++last;
  double value = 0;
  const char* begin = caption.data() + first;
  const auto result = std::from_chars(begin, caption.data() + last, value, std::chars_format::fixed);
  if (result.ec != std::errc() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

double PlotValue(std::string_view v, std::string_view mainCaption, int rowCode, int refCode,
                 std::string_view decimalMark, double previous) {
  double y = previous;
  const int d = rowCode - refCode;
  if (MayBeNumber(v)) {
    if (const auto number = ParseLocaleNumber(v, decimalMark)) y = RoundTo4(ScaleByPow10(*number, d));
  }
  if (ShowsDashes(v)) y = 0;
  switch (ScaleOf(v)) {
    case ValueScale::FullScale:
      // A caption without digits (only from a data file) leaves y as it was.
      if (const auto full = FullScale(mainCaption)) {
        y = RoundTo4(ScaleByPow10(*full, -d));
        if (HasMinusSign(v)) y = -y;
      }
      break;
    case ValueScale::Zero: y = 0; break;
    case ValueScale::Number: break;
  }
  return RoundTo4(y);
}

void ClearChart(ChartModel& chart) {
  chart.points.clear();
  chart.Max_Num.clear();
  chart.Max_Tim.clear();
  chart.Min_Num.clear();
  chart.Min_Tim.clear();
  ++chart.revision;
}

namespace {

void TakeStatistic(std::string& num, std::string& time, const MeasurementRecord& rec) {
  num.assign(rec.MainValue.View());
  num += ' ';
  num += Chars(rec.MainCaption.View(), 16, 19);
  time.assign(rec.TimeText.View());
}

void SetLeftAxis(ChartModel& chart, std::string_view caption, std::string_view decimalMark) {
  const std::string_view c = Chars(caption, 4, int(caption.size()) - 3);
  const std::size_t at = decimalMark.empty() ? std::string_view::npos : c.find(decimalMark);
  const int p = at == std::string_view::npos ? 0 : int(at) + 1;
  switch (p) {
    case 0: chart.valueFormat = "#####"; break;
    case 2: chart.valueFormat = "0.####"; break;
    case 3: chart.valueFormat = "#0.###"; break;
    case 4: chart.valueFormat = "##0.##"; break;
    case 5: chart.valueFormat = "###0.#"; break;
    default: break;  // the format stays
  }
  chart.increment = p == 0 ? 1.0 : Pow10(p - 6);
}

}  // namespace

void UpdateChart(ChartModel& chart, const MeasurementTable& table, const ChartWindow& w) {
  chart.points.clear();
  ++chart.revision;
  double y = 0;

  // Rows past RecordCount are never shown.
  std::int32_t last = std::min(w.lastRow, table.RecordCount);
  std::int32_t first = std::max(last - w.pointsPerPage, 1);

  // Function cut: one function only while following the newest record; when
  // scrolled back the window ends at the nearest earlier row of another one.
  const std::string_view lastCaption = RowAt(table, last).MainCaption.View();
  const std::string_view lastLabel = Chars(lastCaption, 1, 3);
  for (std::int32_t r = last - 1; r >= first; --r) {
    const std::string_view caption = RowAt(table, r).MainCaption.View();
    const std::string_view label = Chars(caption, 1, 3);
    if (label != lastLabel || (label == "TMP" && caption != lastCaption)) {
      if (w.followsNewest)
        first = r + 1;
      else
        last = r;
      break;
    }
  }
  chart.ChartFirstRow = first;

  const int refCode = CaptionPrefixCode(RowAt(table, first).MainCaption.View());
  int maxCode = refCode;
  std::int32_t formatRow = last;
  chart.Max_Num.clear();

  // Gaps count with the value kept from the row before; ties go to the
  // later row. The texts are taken once the rows are known.
  double max = 0, min = 0;
  std::int32_t maxRow = 0, minRow = 0;
  for (std::int32_t r = first; r <= last; ++r) {
    const MeasurementRecord& rec = RowAt(table, r);
    const std::string_view caption = rec.MainCaption.View();
    const int rowCode = CaptionPrefixCode(caption);
    if (rowCode > maxCode) {
      maxCode = rowCode;
      formatRow = r;
    }
    const std::string_view v = Trim(rec.MainValue.View());
    y = PlotValue(v, caption, rowCode, refCode, w.decimalMark, y);

    ChartPoint& point = chart.points.emplace_back();
    if (v != "Err" && !v.empty()) point.value = y;
    point.label.assign(rec.TimeText.View());

    if (r == first || y >= max) {
      max = y;
      maxRow = r;
    }
    if (r == first || y <= min) {
      min = y;
      minRow = r;
    }
  }
  if (first <= last) {
    TakeStatistic(chart.Max_Num, chart.Max_Tim, RowAt(table, maxRow));
    TakeStatistic(chart.Min_Num, chart.Min_Tim, RowAt(table, minRow));
  }

  SetLeftAxis(chart, RowAt(table, formatRow).MainCaption.View(), w.decimalMark);
}

}  // namespace lcr
