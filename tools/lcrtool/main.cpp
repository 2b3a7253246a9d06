// lcrtool: the command-line companion of LCR Tavrik.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

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
      "  simulate [--family 730|68] [--scenario NAME] [--interval MS] [--link PATH]\n"
      "                         a meter on a pseudo-terminal\n",
      stderr);
}

}  // namespace

int main(int argc, char** argv) {
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
  if (verb == "simulate") return lcrtool::RunSimulate(args);
  if (verb == "--help" || verb == "-h" || verb == "help") {
    PrintUsage();
    return 0;
  }
  std::fprintf(stderr, "lcrtool: unknown verb '%s'\n", qPrintable(verb));
  PrintUsage();
  return 2;
}
