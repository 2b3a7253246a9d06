// lcrtool export --format NAME FILE OUT [--points P]: a data file written by
// any entry of the exporter list, as the window's File menu writes it.
// `workbook FILE OUT` and `graph FILE OUT [--points P]` are its short forms.
#include <QCoreApplication>
#include <cstdio>
#include <memory>

#include "commands.h"
#include "data_file_input.h"
#include "files/exporter.h"
#include "progress_line.h"

#ifdef LCRTOOL_GRAPH
#include <QApplication>

#include "app/deep_blue_style.h"
#include "app/exporter_list.h"
#include "app/standalone_chart.h"
#include "session/cycle.h"
#include "session/file_commands.h"
#endif

namespace lcrtool {

namespace {

#ifdef LCRTOOL_GRAPH
// The window's chart as it shows a file opened before the window is first
// shown: at its designed size, not yet laid out.
const QSize kChartShownAt{603, 480};
#endif

struct ExportOptions {
  QString format, file, out;
  int points = 200;  // the chart's points per page, for formats that draw it
};

bool ParseExportOptions(const QStringList& args, ExportOptions& o) {
  QStringList names;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--points") {
      bool ok = false;
      o.points = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
      if (!ok || o.points < 50 || o.points > 500) return false;
    } else if (args[i] == "--format" && o.format.isEmpty()) {
      if (i + 1 >= args.size()) return false;
      o.format = args[++i];
    } else if (args[i].startsWith("--")) {
      return false;
    } else {
      names << args[i];
    }
  }
  if (names.size() != 2 || o.format.isEmpty()) return false;
  o.file = names[0];
  o.out = names[1];
  return true;
}

void PrintExportUsage(const QString& verb, const std::vector<lcr::Exporter>& list) {
  if (verb == "workbook") {
    std::fputs("usage: lcrtool workbook FILE OUT\n", stderr);
  } else if (verb == "graph") {
    std::fputs("usage: lcrtool graph FILE OUT [--points P]   (P from 50 to 500)\n", stderr);
  } else {
    QString names;
    for (const lcr::Exporter& e : list) names += (names.isEmpty() ? "" : "|") + e.name;
    std::fprintf(stderr, "usage: lcrtool export --format %s FILE OUT [--points P]\n", qPrintable(names));
  }
}

}  // namespace

int RunExport(int argc, char** argv) {
  const QString verb = QString::fromLocal8Bit(argv[1]);
#ifdef LCRTOOL_GRAPH
  // No screen is needed: a chart is drawn offscreen unless told otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  lcr::ApplyDeepBlueStyle(app);
  // The session as the user has it: points per page set, then File, Open.
  lcr::Cycle session;
  const std::vector<lcr::Exporter> list = lcr::ExportersFor([&session] {
    return lcr::StandaloneChart(session.chart, session.win.pointsPerPage, kChartShownAt, false).Picture();
  });
#else
  QCoreApplication app(argc, argv);
  const std::vector<lcr::Exporter> list = lcr::CoreExporters();
#endif
  QStringList args = app.arguments().mid(2);
  if (verb != "export") args << "--format" << verb;
  ExportOptions opt;
  if (!ParseExportOptions(args, opt) || (verb == "workbook" && args.contains("--points"))) {
    PrintExportUsage(verb, list);
    return 2;
  }
  const lcr::Exporter* exporter = lcr::FindExporter(list, opt.format);
  if (!exporter) {
    std::fprintf(stderr, "lcrtool export: no format '%s' in this build\n", qPrintable(opt.format));
    PrintExportUsage("export", list);
    return 2;
  }
  lcr::MeasurementTable table;
  if (!LoadDataFile(opt.file, table) || !RequireRecords(table)) return 2;
  const lcr::MeasurementTable* source = &table;
#ifdef LCRTOOL_GRAPH
  if (!lcr::FindExporter(lcr::CoreExporters(), opt.format)) {
    lcr::ApplySettings(session, opt.points, 120);
    lcr::ShowOpenedTable(session, std::move(table));
    source = &session.table;
  }
#endif
  lcr::ExportOutcome outcome;
  {
    ProgressLine line("writing " + opt.out.toStdString());
    outcome = exporter->Write(*source, opt.out, line.progress());
  }
  if (outcome.saved()) return 0;
  Say(outcome);
  return 1;
}

}  // namespace lcrtool
