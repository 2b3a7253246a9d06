#include "log/data_file.h"

#include <QSaveFile>

namespace lcr {

std::string FormatDataFile(const MeasurementTable& table) {
  std::string out;
  out.reserve(std::size_t(table.RecordCount) * 80 + 16);
  out += std::to_string(table.RecordCount);
  out += "      \r\n";
  for (std::int32_t k = 1; k <= table.RecordCount; ++k) {
    const MeasurementRecord& rec = table.rows[std::size_t(k)];
    out += std::to_string(k);
    out += '\t';
    out += rec.TimeText.View();
    out += '\t';
    out += rec.MainValue.View();
    out += '\t';
    out += rec.MainCaption.View();
    out += '\t';
    out += rec.SubValue.View();
    out += '\t';
    out += rec.SubCaption.View();
    out += "\t\r\n";
  }
  return out;
}

bool WriteDataFile(const QString& path, const MeasurementTable& table, QString* error) {
  // Written to a temporary and renamed into place, so a failed save never
  // leaves a truncated file where a good one stood.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    if (error) *error = file.errorString();
    return false;
  }
  const std::string bytes = FormatDataFile(table);
  if (file.write(bytes.data(), qint64(bytes.size())) != qint64(bytes.size()) || !file.commit()) {
    if (error) *error = file.errorString();
    file.cancelWriting();
    return false;
  }
  return true;
}

}  // namespace lcr
