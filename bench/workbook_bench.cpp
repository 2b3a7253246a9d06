// The workbook export and the table's memory at a million records: a timed
// harness, not a Google Benchmark, since each figure needs a fresh process
// (peak resident memory only grows) and the peers are other programs.
//
//   workbook_bench [--records N] [--runs K] [--peers]
//
// Every measurement runs in a child process of this program
// (workbook_bench --child WHAT N); the parent alternates the runs of the
// export and of the direct writing, and prints medians:
//   table   peak resident memory after appending N records, per record
//   vector  the same growth over one contiguous array, as the table grew
//           before it was held in blocks (the baseline)
//   export  File, Export Excel File's code on N records: time, and peak
//           resident memory added to what the table takes
//   direct  the same cells written straight through the library in its
//           constant-memory mode, values prepared before the clock starts
// With --peers, once each: openpyxl's write-only mode writing the same rows,
// and soffice converting the table as CSV to a workbook. A peer that is not
// installed is skipped, and the output says so.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>
#include <xlsxwriter.h>

#include "table/record_columns.h"
#include "table/measurement_table.h"
#include "files/spreadsheet_export.h"
#include "files/workbook/cell_value.h"
#include "files/workbook/xlsx_automation.h"

#include "bench/bench_support.h"

namespace {

using namespace lcr;

using lcr::bench::CpuMsSince;
using lcr::bench::Median;
using lcr::bench::PeakRss;
using lcr::bench::SampleReading;

std::string TimeText(int i) {
  char t[16];
  std::snprintf(t, sizeof t, "%02d:%02d:%02d", i / 3600 % 24, i / 60 % 60, i % 60);
  return t;
}

// Recorded live from 2026-12-09 on, one record a second: the days roll
// over at each midnight of TimeText, as the table keeps them.
void FillTable(MeasurementTable& table, int n) {
  constexpr std::int32_t kFirstDay = 2461384;  // 2026-12-09
  for (int i = 1; i <= n; ++i) AppendRecord(table, SampleReading(i), TimeText(i), kFamily68, kFirstDay + i / 86400);
}

std::array<std::string, kRecordColumnCount> Header() {
  std::array<std::string, kRecordColumnCount> h;
  for (int c = 0; c < kRecordColumnCount; ++c) h[std::size_t(c)] = std::string(kRecordColumnHeaders[std::size_t(c)]);
  return h;
}

int ChildTable(int n) {
  const long long before = PeakRss();
  MeasurementTable table;
  FillTable(table, n);
  const long long after = PeakRss();
  std::printf("%lld 0 %lld\n", after, after - before);
  return 0;
}

// The same growth rule over one contiguous array, as the table was held
// before: each step of 20000 rows may copy every row into a new array.
int ChildVector(int n) {
  const long long before = PeakRss();
  std::vector<MeasurementRecord> rows;
  const MeasurementRecord rec = [] {
    MeasurementTable one;
    FillTable(one, 1);
    return one.rows[1];
  }();
  for (int count = 0; count < n; ++count) {
    if (int(rows.size()) - count < kTableGrowth) rows.resize(rows.size() + std::size_t(kTableGrowth));
    rows[std::size_t(count) + 1] = rec;
  }
  const long long after = PeakRss();
  std::printf("%lld 0 %lld\n", after, after - before);
  return 0;
}

int ChildExport(int n, const QString& out) {
  MeasurementTable table;
  FillTable(table, n);
  const long long before = PeakRss();
  XlsxAutomationServer server;
  QElapsedTimer clock;
  clock.start();
  const std::clock_t cpu = std::clock();
  std::string error;
  const auto outcome = ExportSpreadsheetFile(server, out, table, Header(), {}, &error);
  const qint64 ms = clock.elapsed();
  const double cpuMs = CpuMsSince(cpu);
  if (outcome != SpreadsheetExportOutcome::Saved) {
    std::fprintf(stderr, "export failed: %s\n", error.c_str());
    return 1;
  }
  std::printf("%lld %.0f %lld\n", (long long)ms, cpuMs, PeakRss() - before);
  return 0;
}

// The same sheets, rows and typed cells as the export, written straight
// through the library: sheets in their final order, rows as they come.
int ChildDirect(int n, const QString& out) {
  MeasurementTable table;
  FillTable(table, n);
  std::vector<std::array<CellValue, kRecordColumnCount>> rows(std::size_t(n) + 1);
  for (int i = 1; i <= n; ++i) {
    const auto cells = RecordCells(table, i);
    for (int c = 0; c < kRecordColumnCount; ++c) rows[std::size_t(i)][std::size_t(c)] = ConvertCellText(cells[std::size_t(c)]);
  }
  const long long before = PeakRss();
  QElapsedTimer clock;
  clock.start();
  const std::clock_t cpu = std::clock();
  lxw_workbook_options options{};
  options.constant_memory = LXW_TRUE;
  options.use_zip64 = LXW_TRUE;
  const QByteArray name = QFile::encodeName(out);
  lxw_workbook* book = workbook_new_opt(name.constData(), &options);
  lxw_format* time = workbook_add_format(book);
  format_set_num_format(time, "hh:mm:ss");
  const int sheets = (n + kRecordsPerSheet - 1) / kRecordsPerSheet;
  for (int s = sheets; s >= 1; --s) {
    lxw_worksheet* sheet = workbook_add_worksheet(book, ("page " + std::to_string(s)).c_str());
    for (int c = 0; c < kRecordColumnCount; ++c) worksheet_write_string(sheet, 0, lxw_col_t(c), kRecordColumnHeaders[std::size_t(c)].data(), nullptr);
    const int first = (s - 1) * kRecordsPerSheet + 1, last = std::min(n, s * kRecordsPerSheet);
    for (int i = first; i <= last; ++i) {
      const auto r = lxw_row_t(i - first + 1);
      for (int c = 0; c < kRecordColumnCount; ++c) {
        const CellValue& v = rows[std::size_t(i)][std::size_t(c)];
        if (v.kind == CellValue::Kind::Number) worksheet_write_number(sheet, r, lxw_col_t(c), v.number, nullptr);
        else if (v.kind == CellValue::Kind::Time) worksheet_write_number(sheet, r, lxw_col_t(c), v.number, time);
        else if (v.kind == CellValue::Kind::Text) worksheet_write_string(sheet, r, lxw_col_t(c), v.text.c_str(), nullptr);
      }
    }
  }
  workbook_add_worksheet(book, "Sheet1");
  if (workbook_close(book) != LXW_NO_ERROR) return 1;
  const qint64 ms = clock.elapsed();
  std::printf("%lld %.0f %lld\n", (long long)ms, CpuMsSince(cpu), PeakRss() - before);
  return 0;
}

// ---- the parent ----

// What a child prints: wall time or total memory, processor time, memory added.
struct Figures {
  double a = 0, cpu = 0, b = 0;
};

bool RunChild(const QStringList& args, Figures& out) {
  QProcess p;
  p.start(QCoreApplication::applicationFilePath(), args);
  if (!p.waitForFinished(-1) || p.exitCode() != 0) {
    std::fprintf(stderr, "child %s failed: %s\n", qPrintable(args.join(' ')), p.readAllStandardError().constData());
    return false;
  }
  const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
  if (f.size() != 3) return false;
  out = {f[0].toDouble(), f[1].toDouble(), f[2].toDouble()};
  return true;
}

QString FindPython() {
  for (const char* python : {"python3", "/usr/bin/python3"}) {
    QProcess p;
    p.start(QString::fromLatin1(python), {"-c", "import openpyxl"});
    if (p.waitForFinished(-1) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0) return python;
  }
  return {};
}

// Seconds a peer program takes, or a negative number when it failed.
double TimePeer(const QString& program, const QStringList& args) {
  QProcess p;
  QElapsedTimer clock;
  clock.start();
  p.start(program, args);
  if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    std::fprintf(stderr, "%s failed: %s\n", qPrintable(program), p.readAllStandardError().constData());
    return -1;
  }
  return clock.elapsed() / 1000.0;
}

// openpyxl's write-only mode writing the same rows, values typed as the
// export types them.
constexpr const char* kOpenpyxlScript = R"(
import sys, datetime
from openpyxl import Workbook
n, out = int(sys.argv[1]), sys.argv[2]
book = Workbook(write_only=True)
per = 65500
sheets = (n + per - 1) // per
for s in range(sheets, 0, -1):
    sheet = book.create_sheet("page %d" % s)
    sheet.append(["Index", "Time", "Main", "Main_Range", "Sub", "Sub_Range"])
    for i in range((s - 1) * per + 1, min(n, s * per) + 1):
        t = datetime.time(i // 3600 % 24, i // 60 % 60, i % 60)
        main = float("%d.%03d" % (10 + i % 9, i % 1000))
        sub = 0.0123 if i % 5 else "OL"
        sheet.append([i, t, main, "CAP AUTO 20.000 nF", sub, "FRE 9.999 KHz"])
book.create_sheet("Sheet1")
book.save(out)
)";

int Parent(int n, int runs, bool peers) {
  QTemporaryDir dir;
  const QString book = dir.filePath("bench.xlsx");
  const QString nText = QString::number(n);
  std::printf("records: %d, runs: %d\n", n, runs);

  std::vector<double> tableRss, tableTotal, vectorRss, exportMs, exportRss, directMs, directRss, exportCpu, directCpu;
  for (int r = 0; r < runs; ++r) {
    Figures t, v, e, d;
    if (!RunChild({"--child", "table", nText}, t) || !RunChild({"--child", "vector", nText}, v) ||
        !RunChild({"--child", "export", nText, book}, e) || !RunChild({"--child", "direct", nText, book}, d))
      return 1;
    tableRss.push_back(t.b);
    tableTotal.push_back(t.a);
    vectorRss.push_back(v.b);
    exportMs.push_back(e.a);
    exportRss.push_back(e.b);
    directMs.push_back(d.a);
    directRss.push_back(d.b);
    exportCpu.push_back(e.cpu);
    directCpu.push_back(d.cpu);
    std::printf("run %d: table %.1f B/record (one array: %.1f); export %.2f s, cpu %.2f s (+%.1f MB); "
                "direct %.2f s, cpu %.2f s (+%.1f MB)\n",
                r + 1, t.b / n, v.b / n, e.a / 1000, e.cpu / 1000, e.b / 1e6, d.a / 1000, d.cpu / 1000, d.b / 1e6);
    std::fflush(stdout);
  }
  const double exportS = Median(exportMs) / 1000, directS = Median(directMs) / 1000;
  std::printf("median table peak: %.1f bytes per record added (%.1f with the whole process); one array: %.1f\n",
              Median(tableRss) / n, Median(tableTotal) / n, Median(vectorRss) / n);
  std::printf("median export: %.2f s, peak memory added %.1f MB\n", exportS, Median(exportRss) / 1e6);
  std::printf("median direct: %.2f s, peak memory added %.1f MB\n", directS, Median(directRss) / 1e6);
  // Runs next to each other share the machine's load: their ratios vary less.
  std::vector<double> ratios;
  for (std::size_t r = 0; r < exportMs.size(); ++r) ratios.push_back(exportMs[r] / directMs[r]);
  std::printf("export / direct: %.2f (median of the runs' own ratios: %.2f)\n", exportS / directS, Median(ratios));
  std::printf("processor time: export %.2f s, direct %.2f s, export / direct %.2f\n", Median(exportCpu) / 1000,
              Median(directCpu) / 1000, Median(exportCpu) / Median(directCpu));
  if (!peers) return 0;

  const QString python = FindPython();
  if (python.isEmpty()) {
    std::printf("openpyxl: skipped, python3-openpyxl is not installed\n");
  } else {
    const double s = TimePeer(python, {"-c", kOpenpyxlScript, nText, dir.filePath("openpyxl.xlsx")});
    if (s > 0) std::printf("openpyxl write-only: %.2f s, %.2f x the export\n", s, s / exportS);
  }
  const QString soffice = QStandardPaths::findExecutable(QStringLiteral("soffice"));
  if (soffice.isEmpty()) {
    std::printf("soffice: skipped, libreoffice-calc-nogui is not installed\n");
  } else {
    // The table as CSV, the way a user would hand it over.
    QFile csv(dir.filePath("bench.csv"));
    if (!csv.open(QIODevice::WriteOnly)) return 1;
    MeasurementTable table;
    FillTable(table, n);
    std::string text = "Index,Time,Main,Main_Range,Sub,Sub_Range\n";
    for (int i = 1; i <= n; ++i) {
      const auto cells = RecordCells(table, i);
      for (int c = 0; c < kRecordColumnCount; ++c) (text += cells[std::size_t(c)]) += c + 1 < kRecordColumnCount ? ',' : '\n';
    }
    csv.write(text.data(), qint64(text.size()));
    csv.close();
    const double s = TimePeer(soffice, {"-env:UserInstallation=file://" + dir.filePath("profile"), "--headless",
                                        "--convert-to", "xlsx", "--outdir", dir.path(), csv.fileName()});
    if (s > 0) std::printf("soffice --convert-to xlsx: %.2f s, %.2f x the export\n", s, s / exportS);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() >= 3 && args[0] == "--child") {
    const int n = args[2].toInt();
    if (args[1] == "table") return ChildTable(n);
    if (args[1] == "vector") return ChildVector(n);
    if (args[1] == "export" && args.size() == 4) return ChildExport(n, args[3]);
    if (args[1] == "direct" && args.size() == 4) return ChildDirect(n, args[3]);
    return 2;
  }
  int n = 1000000, runs = 3;
  bool peers = false;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--records" && i + 1 < args.size()) n = args[++i].toInt();
    else if (args[i] == "--runs" && i + 1 < args.size()) runs = args[++i].toInt();
    else if (args[i] == "--peers") peers = true;
    else {
      std::fprintf(stderr, "usage: workbook_bench [--records N] [--runs K] [--peers]\n");
      return 2;
    }
  }
  return Parent(std::max(n, 1), std::max(runs, 1), peers);
}
