#include "session/table_checkpoint.h"

#include "files/data_file.h"

namespace lcr {

namespace {

std::string NewestRecord(const MeasurementTable& table) {
  if (table.RecordCount <= 0) return {};
  std::string out;
  AppendRecordFields(out, table.rows[std::size_t(table.RecordCount)]);
  return out;
}

}  // namespace

bool TableCheckpoint::Save(const MeasurementTable& table, QString* error) {
  std::string newest = NewestRecord(table);
  if (table.RecordCount == written_ && newest == lastRecord_) return true;
  if (!WriteDataFile(path_, table, error)) return false;
  written_ = table.RecordCount;
  lastRecord_ = std::move(newest);
  return true;
}

}  // namespace lcr
