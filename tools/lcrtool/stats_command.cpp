// lcrtool stats FILE [--nominal X --tolerance P%] [--low A --high B]: the
// batch statistics of a data file, one JSON object per function, in the
// order the functions first appear.
#include <cstdio>

#include "commands.h"
#include "data_file_input.h"
#include "decode/gbk.h"
#include "common/json_line.h"
#include "std_output.h"
#include "views/batch_stats.h"

namespace lcrtool {

namespace {

constexpr const char* kUsage =
    "usage: lcrtool stats FILE [--nominal X --tolerance P%|T] [--low A] [--high B]\n"
    "  X, T, A and B in base units, optionally with a prefix letter (4.7k, 100n)\n";

void PutLimit(lcr::JsonLine& json, const char* key, const std::optional<double>& v) {
  json.Key(key);
  if (v)
    json.NumberShortest(*v);
  else
    json.Null();
}

}  // namespace

int RunStats(const QStringList& args) {
  QString file;
  std::string given[4];  // nominal, tolerance, low, high
  const char* const options[4] = {"--nominal", "--tolerance", "--low", "--high"};
  for (int i = 0; i < args.size(); ++i) {
    int which = -1;
    for (int k = 0; k < 4; ++k)
      if (args[i] == QLatin1String(options[k])) which = k;
    if (which >= 0 && i + 1 < args.size()) {
      given[which] = args[++i].toStdString();
    } else if (which < 0 && !args[i].startsWith(QLatin1String("--")) && file.isEmpty()) {
      file = args[i];
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  if (file.isEmpty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  std::string error;
  const std::optional<lcr::Limits> limits = lcr::ParseLimits(given[0], given[1], given[2], given[3], &error);
  if (!limits) {
    std::fprintf(stderr, "lcrtool stats: %s\n", error.c_str());
    return 2;
  }
  lcr::MeasurementTable table;
  if (!LoadDataFile(file, table)) return 2;

  std::string out;
  for (const lcr::BatchStats& s : lcr::StatsPerFunction(table, *limits)) {
    lcr::JsonLine json;
    json.BeginObject();
    json.Key("function").String(lcr::GbkToUtf8(s.function));
    json.Key("unit").String(lcr::GbkToUtf8(s.unit));
    json.Key("count").Number(s.count);
    if (s.count > 0) {
      json.Key("mean").NumberShortest(s.Mean());
      json.Key("stddev").NumberShortest(s.StdDev());
      json.Key("min").NumberShortest(s.min);
      json.Key("minIndex").Number(static_cast<long long>(s.minRow));
      json.Key("max").NumberShortest(s.max);
      json.Key("maxIndex").Number(static_cast<long long>(s.maxRow));
    }
    json.Key("words").BeginObject();
    for (const auto& [word, n] : s.words) json.Key(lcr::GbkToUtf8(word)).Number(n);
    json.EndObject();
    if (limits->Any()) {
      PutLimit(json, "low", limits->low);
      PutLimit(json, "high", limits->high);
      json.Key("pass").Number(s.pass);
      json.Key("fail").Number(s.fail);
      PutLimit(json, "yieldPercent", s.YieldPercent(*limits));
    }
    json.EndObject();
    out += json.Text();
    out += '\n';
  }
  Print(out);
  return OutputComplete("lcrtool stats") ? 0 : 1;
}

}  // namespace lcrtool
