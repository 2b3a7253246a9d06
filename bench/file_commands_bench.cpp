// File, Open, File, Save and File, Export Excel File on the window, at a
// million records: a timed harness, not a Google Benchmark, since each
// figure needs a fresh process (peak resident memory only grows).
//
//   file_commands_bench [--records N] [--runs K] [--baseline OTHER]
//
// Every measurement runs in a child process of this program (or of OTHER, a
// build of this same harness from another tree: the baseline, run in turn
// with this one); the parent prints medians. Each child builds the main
// window offscreen and runs one command the way the user does:
//   open    TForm1::OpenDataFile on a data file of N records
//   save    File, Save of a table of N records, the file dialog answered
//   excel   File, Export Excel File of the same table, the dialog answered
// It prints the command's wall and processor time, the peak resident memory
// the command added, the size of the table's own rows after it, and the
// longest time the window's event loop went without a turn while the
// command ran (a 5 ms timer that notes when it fires), which is how long
// the window stood frozen.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "link/scripted_serial_io.h"
#include "files/data_file.h"
#include "table/measurement_table.h"

#include "bench/bench_support.h"

namespace {

using namespace lcr;

using lcr::bench::CpuMsSince;
using lcr::bench::Median;
using lcr::bench::PeakRss;
using lcr::bench::SampleReading;

void FillTable(MeasurementTable& table, int n) {
  char t[16];
  for (int i = 1; i <= n; ++i) {
    std::snprintf(t, sizeof t, "%02d:%02d:%02d", i / 3600 % 24, i / 60 % 60, i % 60);
    AppendRecord(table, SampleReading(i), t, kFamily68);
  }
}

std::size_t TableBytes(const MeasurementTable& table) { return table.rows.capacity() * sizeof(MeasurementRecord); }

// The window's event loop as a 5 ms timer sees it: the longest wait between
// two of its turns since Arm().
struct LoopWatch {
  QTimer tick;
  QElapsedTimer clock;
  qint64 last = 0, longest = 0;
  bool armed = false;
  std::function<void()> onTurn;

  LoopWatch() {
    tick.setInterval(5);
    QObject::connect(&tick, &QTimer::timeout, [this] {
      const qint64 now = clock.elapsed();
      if (armed) longest = std::max(longest, now - last);
      last = now;
      if (onTurn) onTurn();
    });
    clock.start();
    tick.start();
  }
  void Arm() {
    armed = true;
    last = clock.elapsed();
    longest = 0;
  }
  void Disarm() {
    if (armed) longest = std::max(longest, clock.elapsed() - last);
    armed = false;
  }
};

struct Result {
  qint64 ms = 0;
  double cpuMs = 0;
  long long peakAdded = 0;
  std::size_t tableBytes = 0;
  qint64 frozenMs = 0;
};

void Print(const Result& r) {
  std::printf("%lld %.0f %lld %zu %lld\n", (long long)r.ms, r.cpuMs, r.peakAdded, r.tableBytes,
              (long long)r.frozenMs);
}

std::unique_ptr<TForm1> ShownWindow() {
  auto form = std::make_unique<TForm1>(std::make_unique<ScriptedSerialIo>());
  form->show();
  QApplication::processEvents();
  return form;
}

int ChildOpen(const QString& file) {
  auto form = ShownWindow();
  LoopWatch watch;
  const long long before = PeakRss();
  QElapsedTimer clock;
  clock.start();
  const std::clock_t cpu = std::clock();
  watch.Arm();
  form->OpenDataFile(file);
  watch.Disarm();
  Result r{clock.elapsed(), CpuMsSince(cpu), PeakRss() - before, TableBytes(form->cycle().table), watch.longest};
  if (form->cycle().table.RecordCount <= 0) return 1;
  Print(r);
  return 0;
}

// Runs a command that asks for a file name and ends with a message box:
// the dialog gets `out`, the box is accepted; timed from the dialog's
// answer to the box.
int ChildDialogCommand(int n, const QString& out, void (TForm1::*command)()) {
  auto form = ShownWindow();
  FillTable(form->cycle().table, n);
  form->ApplyModel();
  LoopWatch watch;
  QElapsedTimer clock;
  std::clock_t cpu = 0;
  long long before = 0;
  Result r;
  bool answered = false, boxed = false;
  watch.onTurn = [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (auto* dialog = qobject_cast<QFileDialog*>(modal); dialog && !answered) {
      answered = true;
      dialog->selectFile(out);
      before = PeakRss();
      clock.start();
      cpu = std::clock();
      watch.Arm();
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, as the Save button does
    } else if (auto* box = qobject_cast<QMessageBox*>(modal); box && answered && !boxed) {
      boxed = true;
      watch.Disarm();
      r = {clock.elapsed(), CpuMsSince(cpu), PeakRss() - before, TableBytes(form->cycle().table), watch.longest};
      std::fprintf(stderr, "%s\n", qPrintable(box->text()));
      box->accept();
    }
  };
  (form.get()->*command)();
  if (!boxed || !QFile::exists(out)) return 1;
  Print(r);
  return 0;
}

// ---- the parent ----

bool RunChild(const QString& program, const QStringList& args, Result& out) {
  QProcess p;
  p.start(program, args);
  if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
    std::fprintf(stderr, "child %s %s failed: %s\n", qPrintable(program), qPrintable(args.join(' ')),
                 p.readAllStandardError().constData());
    return false;
  }
  const QList<QByteArray> f = p.readAllStandardOutput().trimmed().split(' ');
  if (f.size() != 5) return false;
  out = {f[0].toLongLong(), f[1].toDouble(), f[2].toLongLong(), std::size_t(f[3].toULongLong()), f[4].toLongLong()};
  return true;
}

struct Series {
  std::vector<double> ms, cpu, peak, table, frozen;
  void Add(const Result& r) {
    ms.push_back(double(r.ms));
    cpu.push_back(r.cpuMs);
    peak.push_back(double(r.peakAdded));
    table.push_back(double(r.tableBytes));
    frozen.push_back(double(r.frozenMs));
  }
  void Report(const char* what, const char* build) const {
    std::printf("  %-5s %-8s %7.0f ms (cpu %7.0f ms), longest freeze %6.0f ms, peak added %6.1f MB, table %5.1f MB",
                what, build, Median(ms), Median(cpu), Median(frozen), Median(peak) / 1e6, Median(table) / 1e6);
    if (Median(table) > 0) std::printf(" (peak / table %.3f)", Median(peak) / Median(table));
    std::printf("\n");
  }
};

int Parent(int n, int runs, const QString& baseline) {
  QTemporaryDir dir;
  const QString data = dir.filePath("data.txt");
  {
    MeasurementTable table;
    FillTable(table, n);
    QString error;
    if (!WriteDataFile(data, table, &error)) {
      std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(data), qPrintable(error));
      return 1;
    }
  }
  const QString self = QCoreApplication::applicationFilePath();
  const QString nText = QString::number(n);
  std::printf("records: %d, runs: %d%s\n", n, runs, baseline.isEmpty() ? "" : ", alternating with the baseline");
  struct Build {
    const char* name;
    QString program;
    Series open, save, excel;
  };
  std::vector<Build> builds{{"this", self, {}, {}, {}}};
  if (!baseline.isEmpty()) builds.push_back({"baseline", baseline, {}, {}, {}});
  int file = 0;
  for (int r = 0; r < runs; ++r) {
    for (Build& b : builds) {
      Result o, s, e;
      const QString saved = dir.filePath(QStringLiteral("saved%1.txt").arg(++file));
      const QString book = dir.filePath(QStringLiteral("book%1.xlsx").arg(file));
      if (!RunChild(b.program, {"--child", "open", nText, data}, o) ||
          !RunChild(b.program, {"--child", "save", nText, saved}, s) ||
          !RunChild(b.program, {"--child", "excel", nText, book}, e))
        return 1;
      b.open.Add(o);
      b.save.Add(s);
      b.excel.Add(e);
      QFile::remove(saved);
      QFile::remove(book);
      std::printf("run %d %-8s: open %lld ms (freeze %lld), save %lld ms (freeze %lld, +%.1f MB), "
                  "excel %lld ms (freeze %lld)\n",
                  r + 1, b.name, (long long)o.ms, (long long)o.frozenMs, (long long)s.ms, (long long)s.frozenMs,
                  s.peakAdded / 1e6, (long long)e.ms, (long long)e.frozenMs);
      std::fflush(stdout);
    }
  }
  std::printf("medians:\n");
  for (const Build& b : builds) {
    b.open.Report("open", b.name);
    b.save.Report("save", b.name);
    b.excel.Report("excel", b.name);
  }
  if (builds.size() == 2) {
    // Runs next to each other share the machine's load: their ratios vary less.
    std::vector<double> ratios;
    for (std::size_t r = 0; r < builds[0].excel.ms.size(); ++r)
      ratios.push_back(builds[0].excel.ms[r] / builds[1].excel.ms[r]);
    std::printf("excel this / baseline: wall %.2f (median of the runs' own ratios %.2f), cpu %.2f\n",
                Median(builds[0].excel.ms) / Median(builds[1].excel.ms), Median(ratios),
                Median(builds[0].excel.cpu) / Median(builds[1].excel.cpu));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QStringList args = app.arguments().mid(1);
  if (args.size() == 4 && args[0] == "--child") {
    const int n = args[2].toInt();
    if (args[1] == "open") return ChildOpen(args[3]);
    if (args[1] == "save") return ChildDialogCommand(n, args[3], &TForm1::Menu_SaveClick);
    if (args[1] == "excel") return ChildDialogCommand(n, args[3], &TForm1::Menu_ExcelClick);
    return 2;
  }
  int n = 1000000, runs = 3;
  QString baseline;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--records" && i + 1 < args.size()) n = args[++i].toInt();
    else if (args[i] == "--runs" && i + 1 < args.size()) runs = args[++i].toInt();
    else if (args[i] == "--baseline" && i + 1 < args.size()) baseline = args[++i];
    else {
      std::fprintf(stderr, "usage: file_commands_bench [--records N] [--runs K] [--baseline OTHER]\n");
      return 2;
    }
  }
  return Parent(std::max(n, 1), std::max(runs, 1), baseline);
}
