#include "files/csv_exporter.h"

#include <QDateTime>
#include <charconv>
#include <cstdio>

#include "common/text_and_numbers.h"
#include "decode/gbk.h"
#include "files/record_stream.h"
#include "files/safe_write.h"
#include "table/base_value.h"
#include "table/caption_unit.h"
#include "table/record_columns.h"

namespace lcr {

namespace {

const QString kCaption = QStringLiteral("Export CSV File");

// A field as RFC 4180 wants it: quoted, its quotes doubled, when it holds a
// comma, a quote or a line break.
void AppendField(std::string& out, std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    out += text;
    return;
  }
  out += '"';
  for (const char ch : text) {
    if (ch == '"') out += '"';
    out += ch;
  }
  out += '"';
}

void AppendGbkField(std::string& out, std::string_view gbk) { AppendField(out, GbkToUtf8(Trim(gbk))); }

// The value in base units, shortest text that reads back the same, and its
// unit; both empty for a value word or any text that is not a number.
void AppendNumberAndUnit(std::string& out, std::string_view value, std::string_view caption) {
  const auto number = BaseValue(value, caption);
  if (number) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, *number).ptr;
    out.append(buf, std::size_t(end - buf));
  }
  out += ',';
  if (number) AppendGbkField(out, CaptionBaseUnit(caption));
}

// Dates and offsets of local time, worked out once per day: a record's
// offset is the day's own unless the clocks change that day.
class LocalStamps {
 public:
  // "2026-12-09T14:03:07+01:00" for `seconds` into Julian day `day`.
  void Append(std::string& out, std::int32_t day, int seconds) {
    if (day != day_) Learn(day);
    const int offset = steady_ ? offset_ : OffsetAt(seconds);
    char buf[40];
    const int abs = offset < 0 ? -offset : offset;
    const int n = std::snprintf(buf, sizeof buf, "%sT%02d:%02d:%02d%c%02d:%02d", dateText_, seconds / 3600,
                                seconds / 60 % 60, seconds % 60, offset < 0 ? '-' : '+', abs / 3600,
                                abs / 60 % 60);
    out.append(buf, std::size_t(n));
  }

 private:
  void Learn(std::int32_t day) {
    day_ = day;
    date_ = QDate::fromJulianDay(day);
    std::snprintf(dateText_, sizeof dateText_, "%04d-%02d-%02d", date_.year(), date_.month(), date_.day());
    offset_ = OffsetAt(0);
    steady_ = offset_ == OffsetAt(86399);
  }
  int OffsetAt(int seconds) const {
    return QDateTime(date_, QTime(0, 0).addSecs(seconds), Qt::LocalTime).offsetFromUtc();
  }

  std::int32_t day_ = 0;
  QDate date_;
  char dateText_[16] = {};
  int offset_ = 0;
  bool steady_ = true;
};

// The file: the header row, then one row per record.
class CsvStream : public RecordStream {
 public:
  using RecordStream::RecordStream;

 protected:
  void FormatHead(std::string& out) override {
    for (const std::string_view header : kRecordColumnHeaders) {
      out += header;
      out += ',';
    }
    out += "MainNumber,MainUnit,SubNumber,SubUnit,DateTime\r\n";
  }

  void FormatRecord(std::string& out, std::int32_t index) override {
    const MeasurementRecord& rec = table().rows[std::size_t(index)];
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, index).ptr;
    for (const std::string_view text : RecordColumnTexts({digits, std::size_t(end - digits)}, rec)) {
      AppendGbkField(out, text);
      out += ',';
    }
    AppendNumberAndUnit(out, rec.MainValue.View(), rec.MainCaption.View());
    out += ',';
    AppendNumberAndUnit(out, rec.SubValue.View(), rec.SubCaption.View());
    out += ',';
    const std::int32_t day = table().days.DayOf(index);
    const std::optional<int> seconds = SecondsOfDay(Trim(rec.TimeText.View()));
    if (day != 0 && seconds) stamps_.Append(out, day, *seconds);
    out += "\r\n";
  }

 private:
  LocalStamps stamps_;
};

ExportOutcome WriteCsv(const MeasurementTable& table, const QString& path, const Progress& progress) {
  bool cancelled = false;
  CsvStream stream(table, Progress{[&](qint64 done, qint64 total) {
                     cancelled = !progress(done, total);
                     return !cancelled;
                   }});
  ExportOutcome out;
  out.caption = kCaption;
  QString error;
  if (WriteFileSafely(path, stream, &error)) {
    out.kind = ExportOutcome::Kind::Saved;
    out.text = QStringLiteral("Export CSV File ") + path + QStringLiteral(" Successfully.");
  } else if (cancelled) {
    out.kind = ExportOutcome::Kind::Cancelled;
  } else {
    out.kind = ExportOutcome::Kind::Failed;
    out.text = QStringLiteral("The CSV file was not written.");
    out.detail = error;
  }
  return out;
}

}  // namespace

Exporter CsvExporter() {
  return {QStringLiteral("csv"), QStringLiteral("CSV File (*.csv)"), QStringLiteral("csv"),
          QStringLiteral("Export CSV File"), kCaption, WriteCsv};
}

}  // namespace lcr
