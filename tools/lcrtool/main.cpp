// lcrtool: the command-line companion of LCR Tavrik.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>

#include "commands.h"

namespace {

void PrintUsage() {
  std::fputs(
      "usage: lcrtool <verb> [options]\n"
      "  replay [--decimal-mark .|,] [--rate N] [--points P] [--save OUT] FILE\n"
      "                         run the acquisition cycle on scripted reads\n"
      "  watch [--rate N]       the live cycle on the serial ports, one line per sample\n"
      "  log (--port PATH | --auto) [--rate N] --out FILE\n"
      "                         the live cycle, the table rewritten into FILE every 10 s\n"
      "  ports                  the serial ports to choose from: number, path, description\n"
      "  simulate [--family 730|68] [--scenario NAME] [--interval MS] [--link PATH]\n"
      "                         a meter on a pseudo-terminal\n"
      "  open FILE              check a data file as File, Open does; its records as JSON Lines\n"
      "  workbook FILE OUT      the workbook of a data file, as Export Excel File writes it\n"
      "  stats FILE [--nominal X --tolerance P%] [--low A] [--high B]\n"
      "                         count, mean, spread, extremes and yield, one JSON object per function\n"
      "  graph FILE OUT [--points P]\n"
      "                         the chart after opening FILE, as Export Graph writes it\n",
      stderr);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "graph") == 0) return lcrtool::RunGraph(argc, argv);
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments();
  args.removeFirst();
  if (args.isEmpty()) {
    PrintUsage();
    return 2;
  }
  const QString verb = args.takeFirst();
  if (verb == "replay") return lcrtool::RunReplay(args);
  if (verb == "watch") return lcrtool::RunWatch(args);
  if (verb == "log") return lcrtool::RunLog(args);
  if (verb == "ports") return lcrtool::RunPorts(args);
  if (verb == "simulate") return lcrtool::RunSimulate(args);
  if (verb == "open") return lcrtool::RunOpen(args);
  if (verb == "workbook") return lcrtool::RunWorkbook(args);
  if (verb == "stats") return lcrtool::RunStats(args);
  if (verb == "--help" || verb == "-h" || verb == "help") {
    PrintUsage();
    return 0;
  }
  std::fprintf(stderr, "lcrtool: unknown verb '%s'\n", qPrintable(verb));
  PrintUsage();
  return 2;
}
