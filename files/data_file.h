#pragma once
// The tab-separated data file: a count line, then one line per record.

#include <QIODevice>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "table/measurement_table.h"
#include "files/progress.h"

namespace lcr {

// One record's five texts, tab-separated, as a line of the data file holds
// them after its index.
void AppendRecordFields(std::string& out, const MeasurementRecord& rec);

// The bytes File, Save writes for the table (GBK, CR LF line ends), made a
// few records at a time as they are read, so that saving a table of any
// size never holds its file in memory. It covers rows 1..RecordCount as
// the table held them when the stream was made; rows appended since are
// not in it. Each read reports the records formatted so far to `progress`;
// a cancel makes that read fail with the error "Cancelled".
class DataFileStream : public QIODevice {
 public:
  explicit DataFileStream(const MeasurementTable& table, Progress progress = {});

  bool isSequential() const override { return true; }
  bool atEnd() const override;
  qint64 bytesAvailable() const override;

 protected:
  qint64 readData(char* data, qint64 maxSize) override;
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  bool Done() const { return next_ > count_ && taken_ == pending_.size(); }
  void FormatMore();

  const MeasurementTable& table_;
  Progress progress_;
  std::int32_t count_;
  std::int32_t next_ = 0;  // the record formatted next; 0 for the count line
  std::string pending_;    // formatted, not yet read
  std::size_t taken_ = 0;
};

// The whole of what DataFileStream makes, in memory (small tables, tests).
std::string FormatDataFile(const MeasurementTable& table);

// Streams the table to `path` through WriteFileSafely (a regular file is
// replaced whole, a device or FIFO written into). On failure, a cancel
// included, returns false and puts the reason into *error; a regular file
// at `path` is then left as it was.
bool WriteDataFile(const QString& path, const MeasurementTable& table, QString* error,
                   const Progress& progress = {});

enum class OpenOutcome { Opened, Invalid, Unreadable, Cancelled };

// A line longer than this is no line of a data file: the most any line
// carries is an index and the 100 characters after its first TAB.
inline constexpr std::size_t kMaxDataLineBytes = 4096;

// Reads a data file from `in`, a line at a time, checking each record as
// File, Open does. Opened: `table` holds exactly the file's records as rows
// 1..n, with room for 20000 more. Any other outcome leaves `table` exactly
// as it was. The cost is bounded whatever `in` is: a line longer than
// kMaxDataLineBytes is Invalid, and reading stops after the n lines the
// count line announces, so an endless stream (a device, a FIFO) ends the
// reading as soon as it stops looking like a data file. `in` is read until
// a read returns nothing (a file, a FIFO, a buffer). `progress` counts
// records read out of n. Unreadable and Cancelled set *error.
OpenOutcome ReadDataFile(QIODevice& in, MeasurementTable& table, QString* error, const Progress& progress = {});
// The same for the file at `path`.
OpenOutcome ReadDataFile(const QString& path, MeasurementTable& table, QString* error,
                         const Progress& progress = {});

// The bytes of a whole data file (tests and fuzzing): true when they open.
bool ParseDataFile(std::string_view bytes, MeasurementTable& table);

// The records the file at `path` would open with, checked as Open checks
// them but without keeping any: -1 when it does not open.
std::int32_t CountDataFileRecords(const QString& path);

}  // namespace lcr
