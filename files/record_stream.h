#pragma once
// A table's file made a few records at a time as it is read, so that
// writing a table of any size never holds its file in memory. A format
// says what comes before the records and what one record writes.

#include <QIODevice>
#include <cstdint>
#include <string>

#include "files/progress.h"
#include "table/measurement_table.h"

namespace lcr {

// Covers rows 1..RecordCount as the table held them when the stream was
// made; rows appended since are not in it. Each read reports the records
// formatted so far to `progress`; a cancel makes that read fail with the
// error "Cancelled".
class RecordStream : public QIODevice {
 public:
  RecordStream(const MeasurementTable& table, Progress progress);

  bool isSequential() const override { return true; }
  bool atEnd() const override;
  qint64 bytesAvailable() const override;

 protected:
  // What comes before record 1.
  virtual void FormatHead(std::string& out) = 0;
  // Record `index` (1..count()), line end included.
  virtual void FormatRecord(std::string& out, std::int32_t index) = 0;

  const MeasurementTable& table() const { return table_; }
  std::int32_t count() const { return count_; }

  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  bool Done() const { return next_ > count_ && taken_ == pending_.size(); }
  void FormatMore();

  const MeasurementTable& table_;
  Progress progress_;
  std::int32_t count_;
  std::int32_t next_ = 0;  // the record formatted next; 0 for the head
  std::string pending_;    // formatted, not yet read
  std::size_t taken_ = 0;
};

// All that `stream` reads, in memory (small tables, tests).
std::string ReadWhole(QIODevice& stream);

}  // namespace lcr
