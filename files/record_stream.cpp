#include "files/record_stream.h"

#include <algorithm>
#include <cstring>

namespace lcr {

namespace {

// A read of the stream is filled from records formatted this many bytes at
// a time: the memory a write needs, whatever the table's size.
constexpr std::size_t kFormatBytes = 64 * 1024;

}  // namespace

RecordStream::RecordStream(const MeasurementTable& table, Progress progress)
    : table_(table), progress_(std::move(progress)), count_(std::max(table.RecordCount, 0)) {
  pending_.reserve(kFormatBytes + 256);
  open(QIODevice::ReadOnly | QIODevice::Unbuffered);
}

bool RecordStream::atEnd() const { return Done(); }

qint64 RecordStream::bytesAvailable() const {
  return qint64(pending_.size() - taken_) + QIODevice::bytesAvailable();
}

void RecordStream::FormatMore() {
  pending_.clear();
  taken_ = 0;
  if (next_ == 0) {
    FormatHead(pending_);
    next_ = 1;
  }
  for (; next_ <= count_ && pending_.size() < kFormatBytes; ++next_) FormatRecord(pending_, next_);
}

qint64 RecordStream::readData(char* data, qint64 maxSize) {
  if (!progress_(next_ > 0 ? next_ - 1 : 0, count_)) {
    setErrorString(QStringLiteral("Cancelled"));
    return -1;
  }
  qint64 copied = 0;
  while (copied < maxSize && !Done()) {
    if (taken_ == pending_.size()) FormatMore();
    const std::size_t n = std::min(std::size_t(maxSize - copied), pending_.size() - taken_);
    std::memcpy(data + copied, pending_.data() + taken_, n);
    taken_ += n;
    copied += qint64(n);
  }
  return copied;
}

std::string ReadWhole(QIODevice& stream) {
  std::string out;
  char chunk[kFormatBytes];
  for (qint64 n; (n = stream.read(chunk, sizeof chunk)) > 0;) out.append(chunk, std::size_t(n));
  return out;
}

}  // namespace lcr
