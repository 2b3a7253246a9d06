#include "files/data_file.h"

#include <QBuffer>
#include <QFile>
#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <vector>

#include "common/text_and_numbers.h"
#include "decode/value_words.h"
#include "table/record_columns.h"
#include "table/record_text.h"
#include "files/safe_write.h"

namespace lcr {

void AppendRecordFields(std::string& out, const MeasurementRecord& rec) {
  const auto texts = RecordColumnTexts({}, rec);
  for (std::size_t c = 1; c < texts.size(); ++c) {
    if (c > 1) out += '\t';
    out += texts[c];
  }
}

void DataFileStream::FormatHead(std::string& out) {
  out += std::to_string(count());
  out += "      \r\n";
}

void DataFileStream::FormatRecord(std::string& out, std::int32_t index) {
  out += std::to_string(index);
  out += '\t';
  AppendRecordFields(out, table().rows[std::size_t(index)]);
  out += "\t\r\n";
}

std::string FormatDataFile(const MeasurementTable& table) {
  DataFileStream stream(table);
  return ReadWhole(stream);
}

bool WriteDataFile(const QString& path, const MeasurementTable& table, QString* error, const Progress& progress) {
  DataFileStream stream(table, progress);
  return WriteFileSafely(path, stream, error);
}

}  // namespace lcr

namespace lcr {

namespace {

// Fields after the first are read from at most this many characters.
constexpr std::size_t kRestLimit = 100;

// Bytes asked of the device per read.
constexpr std::size_t kReadChunk = 64 * 1024;

// Records between two reports to the progress.
constexpr std::int32_t kProgressEvery = 4096;

// The most records a table holds: its row count, n + 20000, stays a signed
// 32-bit number.
constexpr long long kMaxRecords = 0x7FFFFFFFLL - kTableGrowth;

// The lines of a device, read a chunk at a time; past the end every line
// reads as empty. CR LF, LF and a lone CR all end a line. At most one chunk
// and one line are held, whatever the device holds.
class LineReader {
 public:
  enum class Status { Line, TooLong, ReadError };

  explicit LineReader(QIODevice& in) : in_(in), buf_(kReadChunk + kMaxDataLineBytes) {}

  Status Next(std::string_view& line) {
    for (;;) {
      if (skipLf_ && begin_ < end_) {
        if (buf_[begin_] == '\n') ++begin_;
        skipLf_ = false;
      }
      const char* const start = buf_.data() + begin_;
      const char* const stop = buf_.data() + end_;
      const char* p = start + scanned_;
      while (p < stop && *p != '\n' && *p != '\r') ++p;
      if (std::size_t(p - start) > kMaxDataLineBytes) return Status::TooLong;
      if (p < stop) {
        line = std::string_view(start, std::size_t(p - start));
        begin_ = std::size_t(p - buf_.data()) + 1;
        scanned_ = 0;
        skipLf_ = *p == '\r';  // a LF right after it belongs to this line end
        return Status::Line;
      }
      scanned_ = std::size_t(p - start);
      if (atEnd_) {
        line = std::string_view(start, scanned_);  // the last line, or empty past the end
        begin_ = end_;
        scanned_ = 0;
        return Status::Line;
      }
      if (!Fill()) return Status::ReadError;
    }
  }

  QString errorString() const { return in_.errorString(); }

 private:
  // Moves the unfinished line to the front and reads behind it.
  bool Fill() {
    std::memmove(buf_.data(), buf_.data() + begin_, end_ - begin_);
    end_ -= begin_;
    begin_ = 0;
    const qint64 n = in_.read(buf_.data() + end_, qint64(buf_.size() - end_));
    if (n < 0) return false;
    if (n == 0) atEnd_ = true;
    end_ += std::size_t(n);
    return true;
  }

  QIODevice& in_;
  std::vector<char> buf_;
  std::size_t begin_ = 0, end_ = 0;  // bytes read and not yet taken
  std::size_t scanned_ = 0;          // bytes after begin_ known to hold no line end
  bool skipLf_ = false;
  bool atEnd_ = false;
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

// An outcome with its reason.
OpenOutcome Because(OpenOutcome outcome, QString* error, const QString& why) {
  if (error) *error = why;
  return outcome;
}

OpenOutcome Cancelled(QString* error) { return Because(OpenOutcome::Cancelled, error, QStringLiteral("Cancelled")); }

// Reads and checks the file's records into `into` (rows 1..n, grown a block
// at a time as they come), or only checks them when `into` is null.
OpenOutcome ReadRecords(QIODevice& in, MeasurementTable* into, std::int32_t& count, QString* error,
                        const Progress& progress) {
  LineReader lines(in);
  std::string_view line;
  const auto next = [&] {
    switch (lines.Next(line)) {
      case LineReader::Status::Line: return OpenOutcome::Opened;
      case LineReader::Status::TooLong: return OpenOutcome::Invalid;
      case LineReader::Status::ReadError: return Because(OpenOutcome::Unreadable, error, lines.errorString());
    }
    return OpenOutcome::Invalid;
  };
  if (const OpenOutcome o = next(); o != OpenOutcome::Opened) return o;
  const std::optional<long long> announced = ParseInteger(Trim(line));
  // A negative count would leave the table with a negative record count.
  if (!announced || *announced < 0 || *announced > kMaxRecords) return OpenOutcome::Invalid;
  const auto n = std::int32_t(*announced);
  if (!progress(0, n)) return Cancelled(error);

  MeasurementRecord scratch;
  std::array<std::string_view, 6> f;
  for (std::int32_t i = 1; i <= n; ++i) {
    if (const OpenOutcome o = next(); o != OpenOutcome::Opened) return o;
    if (!SplitRecordLine(line, f)) return OpenOutcome::Invalid;
    const std::optional<long long> index = ParseInteger(Trim(f[0]));
    if (!index || *index != i) return OpenOutcome::Invalid;
    if (into && std::size_t(i) >= into->rows.size()) into->rows.resize(into->rows.size() + std::size_t(kTableGrowth));
    MeasurementRecord& rec = into ? into->rows[std::size_t(i)] : scratch;
    // Checked as the table will hold it, so that what opens once opens again
    // after the next save.
    rec.MainValue.Assign(f[2]);
    if (!MainValuePasses(rec.MainValue.View())) return OpenOutcome::Invalid;
    rec.TimeText.Assign(f[1]);
    rec.MainCaption.Assign(f[3]);
    rec.SubValue.Assign(f[4]);
    rec.SubCaption.Assign(f[5]);
    if (i % kProgressEvery == 0 && !progress(i, n)) return Cancelled(error);
  }
  count = n;
  return progress(n, n) ? OpenOutcome::Opened : Cancelled(error);
}

}  // namespace

OpenOutcome ReadDataFile(QIODevice& in, MeasurementTable& table, QString* error, const Progress& progress) {
  // Read into a table of its own: a file that fails leaves `table` as it was,
  // and one that opens costs one table, not a table and a copy.
  MeasurementTable fresh;
  std::int32_t n = 0;
  const OpenOutcome outcome = ReadRecords(in, &fresh, n, error, progress);
  if (outcome != OpenOutcome::Opened) return outcome;
  fresh.RecordCount = n;
  fresh.TableCapacity = n + kTableGrowth;
  fresh.rows.resize(std::size_t(fresh.TableCapacity));
  table = std::move(fresh);
  return OpenOutcome::Opened;
}

OpenOutcome ReadDataFile(const QString& path, MeasurementTable& table, QString* error, const Progress& progress) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return Because(OpenOutcome::Unreadable, error, file.errorString());
  return ReadDataFile(file, table, error, progress);
}

bool ParseDataFile(std::string_view bytes, MeasurementTable& table) {
  QByteArray raw = QByteArray::fromRawData(bytes.data(), qsizetype(bytes.size()));
  QBuffer in(&raw);
  in.open(QIODevice::ReadOnly);
  return ReadDataFile(in, table, nullptr) == OpenOutcome::Opened;
}

std::int32_t CountDataFileRecords(const QString& path) {
  QFile file(path);
  std::int32_t n = -1;
  if (!file.open(QIODevice::ReadOnly) || ReadRecords(file, nullptr, n, nullptr, {}) != OpenOutcome::Opened) return -1;
  return n;
}

}  // namespace lcr
