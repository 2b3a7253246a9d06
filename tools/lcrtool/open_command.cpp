// lcrtool open FILE: checks a data file as File, Open does and prints its
// records as JSON Lines, one object per record.
#include <cstdio>

#include "commands.h"
#include "data_file_input.h"
#include "decode/gbk.h"
#include "common/json_line.h"
#include "std_output.h"

namespace lcrtool {

int RunOpen(const QStringList& args) {
  if (args.size() != 1) {
    std::fputs("usage: lcrtool open FILE\n", stderr);
    return 2;
  }
  lcr::MeasurementTable table;
  if (!LoadDataFile(args[0], table)) return 2;
  std::string lines;
  for (std::int32_t k = 1; k <= table.RecordCount; ++k) {
    const lcr::MeasurementRecord& rec = table.rows[std::size_t(k)];
    lcr::JsonLine line;
    line.BeginObject()
        .Key("TimeText").String(lcr::GbkToUtf8(rec.TimeText.View()))
        .Key("MainValue").String(lcr::GbkToUtf8(rec.MainValue.View()))
        .Key("MainCaption").String(lcr::GbkToUtf8(rec.MainCaption.View()))
        .Key("SubValue").String(lcr::GbkToUtf8(rec.SubValue.View()))
        .Key("SubCaption").String(lcr::GbkToUtf8(rec.SubCaption.View()))
        .EndObject();
    lines += line.Text();
    lines += '\n';
    if (lines.size() > (1 << 16)) {
      if (!Print(lines)) break;  // the output is gone: no use going on
      lines.clear();
    }
  }
  Print(lines);
  return OutputComplete("lcrtool open") ? 0 : 1;
}

}  // namespace lcrtool
