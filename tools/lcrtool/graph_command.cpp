// lcrtool graph FILE OUT [--points P]: the chart the window shows after
// opening FILE, drawn offscreen and written as File, Export Graph writes it.
#include <cstdio>

#include "commands.h"

#ifdef LCRTOOL_GRAPH
#include <QApplication>
#include <memory>

#include "session/file_commands.h"
#include "app/deep_blue_style.h"
#include "app/graph_export.h"
#include "app/main_window.h"
#include "data_file_input.h"
#include "link/scripted_serial_io.h"
#include "files/data_file.h"
#endif

namespace lcrtool {

#ifdef LCRTOOL_GRAPH

namespace {

struct GraphOptions {
  QString file, out;
  int points = 200;
};

bool ParseGraphOptions(const QStringList& args, GraphOptions& o) {
  QStringList names;
  for (int i = 0; i < args.size(); ++i) {
    if (args[i] == "--points") {
      bool ok = false;
      o.points = i + 1 < args.size() ? args[++i].toInt(&ok) : 0;
      if (!ok || o.points < 50 || o.points > 500) return false;
    } else if (args[i].startsWith("--")) {
      return false;
    } else {
      names << args[i];
    }
  }
  if (names.size() != 2) return false;
  o.file = names[0];
  o.out = names[1];
  return true;
}

}  // namespace

int RunGraph(int argc, char** argv) {
  // No screen is needed: the window is drawn offscreen unless told otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  lcr::ApplyDeepBlueStyle(app);
  QStringList args = app.arguments().mid(2);
  GraphOptions opt;
  if (!ParseGraphOptions(args, opt)) {
    std::fputs("usage: lcrtool graph FILE OUT [--points P]   (P from 50 to 500)\n", stderr);
    return 2;
  }
  lcr::MeasurementTable table;
  if (!LoadDataFile(opt.file, table) || !RequireRecords(table)) return 2;

  // The window as the user has it: points per page set, then File, Open.
  lcr::TForm1 form(std::make_unique<lcr::ScriptedSerialIo>());
  lcr::Cycle& c = form.cycle();
  lcr::ApplySettings(c, opt.points, 120);
  lcr::ShowOpenedTable(c, std::move(table));
  form.ApplyModel();
  form.show();
  QApplication::processEvents();

  const QImage picture = form.GraphPicture();
  QString error;
  if (!lcr::SaveGraphPicture(picture, opt.out, &error)) {
    std::fprintf(stderr, "lcrtool graph: %s\n", qPrintable(error));
    return 1;
  }
  return 0;
}

#else

int RunGraph(int, char**) {
  std::fputs("lcrtool graph: this build has no window to draw the chart with\n", stderr);
  return 1;
}

#endif

}  // namespace lcrtool
