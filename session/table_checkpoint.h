#pragma once
// Keeps a data file in step with the measurement table by rewriting it whole
// now and then, so that a crash or a power cut loses at most what was
// recorded since the last rewrite, and the file always opens as File, Open
// expects. Used by lcrtool log and by the window's recovery file.

#include <QString>
#include <string>

#include "table/measurement_table.h"

namespace lcr {

// How often the table is written out while samples are being recorded.
inline constexpr int kCheckpointIntervalMs = 10000;

class TableCheckpoint {
 public:
  explicit TableCheckpoint(QString path) : path_(std::move(path)) {}

  const QString& path() const { return path_; }
  // Records in the file as last written (-1 before the first write).
  int recordsWritten() const { return written_; }

  // Rewrites the file (atomically, when it is a regular file) unless it
  // already holds this table. False, with the reason in *error, on failure.
  bool Save(const MeasurementTable& table, QString* error);

 private:
  QString path_;
  int written_ = -1;
  std::string lastRecord_;  // the newest record as written, to see a changed table
};

}  // namespace lcr
