#include "files/data_file.h"

#include <QFile>
#include <algorithm>
#include <array>
#include <optional>

#include "common/text_and_numbers.h"
#include "decode/value_words.h"
#include "table/record_text.h"
#include "files/safe_write.h"

namespace lcr {

void AppendRecordFields(std::string& out, const MeasurementRecord& rec) {
  out += rec.TimeText.View();
  out += '\t';
  out += rec.MainValue.View();
  out += '\t';
  out += rec.MainCaption.View();
  out += '\t';
  out += rec.SubValue.View();
  out += '\t';
  out += rec.SubCaption.View();
}

std::string FormatDataFile(const MeasurementTable& table) {
  std::string out;
  out.reserve(std::size_t(table.RecordCount) * 80 + 16);
  out += std::to_string(table.RecordCount);
  out += "      \r\n";
  for (std::int32_t k = 1; k <= table.RecordCount; ++k) {
    const MeasurementRecord& rec = table.rows[std::size_t(k)];
    out += std::to_string(k);
    out += '\t';
    AppendRecordFields(out, rec);
    out += "\t\r\n";
  }
  return out;
}

bool WriteDataFile(const QString& path, const MeasurementTable& table, QString* error) {
  const std::string bytes = FormatDataFile(table);
  return WriteFileSafely(path, QByteArrayView(bytes.data(), qsizetype(bytes.size())), error);
}

}  // namespace lcr

namespace lcr {

namespace {

// Fields after the first are read from at most this many characters.
constexpr std::size_t kRestLimit = 100;

// One line at a time; past the end every line reads as empty. CR LF, LF and
// a lone CR all end a line.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}

  std::string_view Next() {
    if (pos_ >= bytes_.size()) return {};
    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && bytes_[pos_] != '\n' && bytes_[pos_] != '\r') ++pos_;
    const std::string_view line = bytes_.substr(start, pos_ - start);
    if (pos_ < bytes_.size() && bytes_[pos_] == '\r') {
      ++pos_;
      if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    } else if (pos_ < bytes_.size()) {
      ++pos_;  // the '\n'
    }
    return line;
  }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

// A whole decimal integer with an optional sign, nothing around it.
std::optional<long long> ParseInteger(std::string_view text) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return std::nullopt;
  long long value = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
    if (value > 0x7FFFFFFFLL) return std::nullopt;
  }
  return negative ? -value : value;
}

// Six TAB-ended fields, as they stand in the line; false when a TAB is missing.
bool SplitRecordLine(std::string_view line, std::array<std::string_view, 6>& fields) {
  std::string_view rest = line;
  for (std::string_view& field : fields) {
    const std::size_t tab = rest.find('\t');
    if (tab == std::string_view::npos) return false;
    field = rest.substr(0, tab);
    rest = rest.substr(tab + 1, kRestLimit);
  }
  return true;
}

// What a family 68 primary display can show: its glyphs ('N' a blank digit)
// and one decimal mark.
bool IsGlyphString(std::string_view text) {
  int glyphs = 0, marks = 0;
  for (char c : text) {
    if ((c >= '0' && c <= '9') || c == 'H' || c == 'L' || c == 'U' || c == 'N') ++glyphs;
    else if (c == '.' || c == ',') ++marks;
    else return false;
  }
  return glyphs > 0 && marks <= 1;
}

// A main value any decoder can produce, as the table stores it: a number of
// any size with either mark (a file may come from a machine with the other
// mark), the empty text, a value word or a glyph string, the last three with
// or without a leading "-". Blanks around it do not count.
bool MainValuePasses(std::string_view stored) {
  const std::string_view value = Trim(stored);
  if (ParseEitherMark(value)) return true;
  if (IsValueWord(value)) return true;  // "----" begins with a "-" of its own
  std::string_view shown = value;
  if (!shown.empty() && shown.front() == '-') shown.remove_prefix(1);
  return shown.empty() || IsGlyphString(shown) || IsValueWord(shown);
}

}  // namespace

bool ParseDataFile(std::string_view bytes, std::vector<MeasurementRecord>& records) {
  records.clear();
  LineReader lines(bytes);
  const std::optional<long long> count = ParseInteger(Trim(lines.Next()));
  // A negative count would leave the table with a negative record count.
  if (!count || *count < 0) return false;
  records.reserve(std::size_t(std::min<long long>(*count, (long long)(bytes.size() / 7 + 1))));
  std::array<std::string_view, 6> f;
  for (long long i = 1; i <= *count; ++i) {
    if (!SplitRecordLine(lines.Next(), f)) return false;
    const std::optional<long long> index = ParseInteger(Trim(f[0]));
    if (!index || *index != i) return false;
    // Checked as the table will hold it, so that what opens once opens again
    // after the next save.
    MeasurementRecord rec;
    rec.MainValue.Assign(f[2]);
    if (!MainValuePasses(rec.MainValue.View())) return false;
    rec.TimeText.Assign(f[1]);
    rec.MainCaption.Assign(f[3]);
    rec.SubValue.Assign(f[4]);
    rec.SubCaption.Assign(f[5]);
    records.push_back(rec);
  }
  return true;
}

OpenOutcome ReadDataFile(const QString& path, std::vector<MeasurementRecord>& records, QString* error) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    if (error) *error = file.errorString();
    return OpenOutcome::Unreadable;
  }
  const QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) {
    if (error) *error = file.errorString();
    return OpenOutcome::Unreadable;
  }
  file.close();
  return ParseDataFile(std::string_view(bytes.constData(), std::size_t(bytes.size())), records)
             ? OpenOutcome::Opened
             : OpenOutcome::Invalid;
}

}  // namespace lcr
