#pragma once
// The tab-separated data file: a count line, then one line per record.

#include <QIODevice>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "table/measurement_table.h"
#include "files/progress.h"
#include "files/record_stream.h"

namespace lcr {

// One record's five texts, tab-separated, as a line of the data file holds
// them after its index.
void AppendRecordFields(std::string& out, const MeasurementRecord& rec);

// The bytes File, Save writes for the table (GBK, CR LF line ends), made a
// few records at a time as they are read (see RecordStream).
class DataFileStream : public RecordStream {
 public:
  explicit DataFileStream(const MeasurementTable& table, Progress progress = {})
      : RecordStream(table, std::move(progress)) {}

 protected:
  void FormatHead(std::string& out) override;
  void FormatRecord(std::string& out, std::int32_t index) override;
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
