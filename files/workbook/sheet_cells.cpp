#include "files/workbook/sheet_cells.h"

#include <QDir>
#include <QTemporaryFile>
#include <algorithm>
#include <cstring>

namespace lcr {

// An append-only scratch file with a write buffer. Only the spill written
// last keeps its buffer and its file open: a book of many sheets costs one
// buffer and one open file, not one per sheet.
class CellSpill {
 public:
  ~CellSpill() {
    if (hot_ == this) hot_ = nullptr;
  }

  bool Open(QString* error) {
    file_.setFileTemplate(QDir::tempPath() + QStringLiteral("/lcr-cells-XXXXXX"));
    if (file_.open()) return true;
    if (error) *error = file_.errorString();
    return false;
  }
  std::uint64_t size() const { return size_; }

  bool Append(const char* data, std::size_t n, QString* error) {
    if (hot_ != this) {
      if (hot_ && !hot_->Park(error)) return false;
      hot_ = this;
    }
    if (buffer_.size() + n > kBufferBytes && !Flush(error)) return false;
    if (buffer_.capacity() < kBufferBytes) buffer_.reserve(kBufferBytes);
    buffer_.append(data, n);
    size_ += n;
    return true;
  }

  bool Flush(QString* error) {
    if (buffer_.empty()) return true;
    if (!Reopen(error)) return false;
    const qint64 at = qint64(size_ - buffer_.size());
    bool ok = file_.seek(at);
    // A write cut short (a full disk, a size limit) is tried on, so that the
    // one that fails says why.
    for (qint64 done = 0; ok && done < qint64(buffer_.size());) {
      const qint64 n = file_.write(buffer_.data() + done, qint64(buffer_.size()) - done);
      ok = n > 0;
      done += std::max<qint64>(n, 0);
    }
    if (!ok) {
      if (error) *error = file_.errorString();
      return false;
    }
    buffer_.clear();
    return true;
  }

  // Reads `n` bytes at `pos` (already flushed).
  bool ReadAt(std::uint64_t pos, char* out, std::size_t n) {
    return Reopen(nullptr) && file_.seek(qint64(pos)) && file_.read(out, qint64(n)) == qint64(n);
  }
  QString errorString() const { return file_.errorString(); }

  // Writes out the buffer, gives its memory back and closes the file; the
  // file itself stays until the spill goes.
  bool Park(QString* error) {
    if (!Flush(error)) return false;
    std::string().swap(buffer_);
    file_.close();
    if (hot_ == this) hot_ = nullptr;
    return true;
  }

 private:
  bool Reopen(QString* error) {
    if (file_.isOpen() || file_.open()) return true;  // the same file again
    if (error) *error = file_.errorString();
    return false;
  }

  static constexpr std::size_t kBufferBytes = 256 * 1024;
  static inline CellSpill* hot_ = nullptr;
  QTemporaryFile file_;
  std::string buffer_;
  std::uint64_t size_ = 0;
};

namespace {

// The spill is a stream of records. A record starts with a byte: kRowMark
// followed by a row (u32) that the next cells belong to, or a cell's kind
// followed by its column (u16), then a double for a number or time, or a
// length (u32) and the bytes for a text.
constexpr std::uint8_t kRowMark = 0xFF;

template <typename T>
char* Put(char* out, T value) {
  std::memcpy(out, &value, sizeof(T));
  return out + sizeof(T);
}

// Reads the records of [0, end) of a spill through a buffer.
class SpillReader {
 public:
  SpillReader(CellSpill& spill, std::uint64_t end) : spill_(spill), end_(end) {}

  bool AtEnd() const { return pos_ == end_ && next_ == chunk_.size(); }

  bool Next(int& row, SheetCell& cell) {
    std::uint32_t length = 0;
    std::uint16_t c = 0;
    std::uint8_t kind = 0;
    if (!Get(kind)) return false;
    if (kind == kRowMark) {
      std::uint32_t r = 0;
      if (!Get(r) || !Get(kind)) return false;
      row_ = int(r);
    }
    if (kind > std::uint8_t(CellValue::Kind::Text) || !Get(c)) return false;
    row = row_;
    cell.column = int(c);
    cell.value.kind = CellValue::Kind(kind);
    cell.value.number = 0;
    cell.value.text.clear();
    if (cell.value.kind == CellValue::Kind::Number || cell.value.kind == CellValue::Kind::Time)
      return Get(cell.value.number);
    if (cell.value.kind == CellValue::Kind::Text) {
      if (!Get(length)) return false;
      cell.value.text.resize(length);
      return Bytes(cell.value.text.data(), length);
    }
    return true;
  }

 private:
  template <typename T>
  bool Get(T& value) {
    char raw[sizeof(T)];
    if (!Bytes(raw, sizeof(T))) return false;
    std::memcpy(&value, raw, sizeof(T));
    return true;
  }
  bool Bytes(char* out, std::size_t n) {
    while (n > 0) {
      if (next_ == chunk_.size() && !Refill()) return false;
      const std::size_t take = std::min(n, chunk_.size() - next_);
      std::memcpy(out, chunk_.data() + next_, take);
      out += take;
      n -= take;
      next_ += take;
    }
    return true;
  }
  bool Refill() {
    const std::size_t n = std::size_t(std::min<std::uint64_t>(kChunk, end_ - pos_));
    if (n == 0) return false;
    chunk_.resize(n);
    if (!spill_.ReadAt(pos_, chunk_.data(), n)) return false;
    pos_ += n;
    next_ = 0;
    return true;
  }

  static constexpr std::size_t kChunk = 256 * 1024;
  CellSpill& spill_;
  std::uint64_t end_;
  std::uint64_t pos_ = 0;
  std::string chunk_;
  std::size_t next_ = 0;
  int row_ = 0;
};

// The cells of one row as they stand after the writes seen so far.
void Apply(std::vector<SheetCell>& row, SheetCell&& cell) {
  const auto it = std::find_if(row.begin(), row.end(), [&](const SheetCell& c) { return c.column == cell.column; });
  if (it != row.end()) row.erase(it);
  if (cell.value.kind != CellValue::Kind::Blank) row.push_back(std::move(cell));
}

bool EmitRow(int row, std::vector<SheetCell>& cells, const SheetCells::RowVisitor& visit) {
  if (cells.empty()) return true;
  std::sort(cells.begin(), cells.end(), [](const SheetCell& a, const SheetCell& b) { return a.column < b.column; });
  const bool go_on = visit(row, cells);
  cells.clear();
  return go_on;
}

}  // namespace

bool SheetCells::Set(int row, int column, const CellValue& value, QString* error) {
  // A spill shared with a copy, or grown past this sheet's part, is copied
  // before it is written: the other holder keeps what it had.
  if (!spill_ || spill_.use_count() > 1 || spill_->size() != bytes_) {
    auto fresh = std::make_shared<CellSpill>();
    if (!fresh->Open(error)) return false;
    if (spill_) {
      if (!spill_->Flush(error)) return false;
      std::string chunk(256 * 1024, '\0');
      for (std::uint64_t pos = 0; pos < bytes_;) {
        const std::size_t n = std::size_t(std::min<std::uint64_t>(chunk.size(), bytes_ - pos));
        if (!spill_->ReadAt(pos, chunk.data(), n)) {
          if (error) *error = spill_->errorString();
          return false;
        }
        if (!fresh->Append(chunk.data(), n, error)) return false;
        pos += n;
      }
    }
    spill_ = std::move(fresh);
  }
  char head[1 + 4 + 1 + 2 + 8];
  char* at = head;
  if (row != streamRow_) {
    at = Put(at, kRowMark);
    at = Put(at, std::uint32_t(row));
  }
  at = Put(at, std::uint8_t(value.kind));
  at = Put(at, std::uint16_t(column));
  if (value.kind == CellValue::Kind::Number || value.kind == CellValue::Kind::Time) at = Put(at, value.number);
  if (value.kind == CellValue::Kind::Text) at = Put(at, std::uint32_t(value.text.size()));
  const std::size_t headBytes = std::size_t(at - head);
  if (!spill_->Append(head, headBytes, error)) return false;
  if (value.kind == CellValue::Kind::Text && !spill_->Append(value.text.data(), value.text.size(), error)) return false;
  bytes_ += headBytes + (value.kind == CellValue::Kind::Text ? value.text.size() : 0);
  streamRow_ = row;
  if (row < lastRow_) rising_ = false;
  lastRow_ = std::max(lastRow_, row);
  return true;
}

bool SheetCells::ForEachRow(const RowVisitor& visit, QString* error) const {
  if (!spill_ || bytes_ == 0) return true;
  if (!spill_->Flush(error)) return false;
  SpillReader reader(*spill_, bytes_);
  const auto readFailed = [&] {
    if (error) *error = QStringLiteral("cannot read back the cells: ") + spill_->errorString();
    return false;
  };
  // The file is closed again however the reading ends.
  struct ParkAtEnd {
    CellSpill& spill;
    ~ParkAtEnd() { spill.Park(nullptr); }
  } park{*spill_};
  std::vector<SheetCell> cells;
  int row = 0, current = 0;
  SheetCell cell;
  if (rising_) {
    while (!reader.AtEnd()) {
      if (!reader.Next(row, cell)) return readFailed();
      if (row != current && !EmitRow(current, cells, visit)) return false;
      current = row;
      Apply(cells, std::move(cell));
    }
    return EmitRow(current, cells, visit);
  }
  // Rows written out of order are put in order first; later writes of a
  // cell still win.
  std::vector<std::pair<int, SheetCell>> all;
  while (!reader.AtEnd()) {
    if (!reader.Next(row, cell)) return readFailed();
    all.emplace_back(row, std::move(cell));
  }
  std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [r, c] : all) {
    if (r != current && !EmitRow(current, cells, visit)) return false;
    current = r;
    Apply(cells, std::move(c));
  }
  return EmitRow(current, cells, visit);
}

std::optional<CellValue> SheetCells::Find(int row, int column) const {
  std::optional<CellValue> found;
  ForEachRow(
      [&](int r, const std::vector<SheetCell>& cells) {
        if (r != row) return true;
        for (const SheetCell& c : cells)
          if (c.column == column) found = c.value;
        return false;
      },
      nullptr);
  return found;
}

}  // namespace lcr
