// lcrtool: the command-line companion of LCR Tavrik.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>
#include <cstring>

#include "files/safe_write.h"
#include "commands.h"

namespace {

// Publishing each recorded sample to an MQTT broker, for log, watch and replay.
#define PUBLISHING_HELP                                                                             \
  "                         PUBLISHING: --mqtt mqtt://[user@]host[:port]/prefix (or mqtts://)\n"    \
  "                         publishes each sample to PREFIX/BENCH/reading; --bench NAME (default\n" \
  "                         host-port), --mqtt-ca FILE, --mqtt-password-file FILE (private;\n"      \
  "                         or LCR_TAVRIK_MQTT_PASSWORD)\n"

// Each verb's usage, as `lcrtool VERB --help` and the whole list show it.
struct VerbUsage {
  const char* verb;
  const char* text;
};
constexpr VerbUsage kVerbs[] = {
    {"replay",
     "  replay [--decimal-mark .|,] [--rate N] [--points P] [--save OUT] [PUBLISHING] FILE\n"
     "                         run the acquisition cycle on scripted reads\n"
     PUBLISHING_HELP},
    {"watch",
     "  watch [--rate N] [PUBLISHING]\n"
     "                         the live cycle on the serial ports, one line per sample\n"
     PUBLISHING_HELP},
    {"log",
     "  log (--port PATH | --auto) [--rate N] --out FILE [PUBLISHING]\n"
     "                         the live cycle, the table rewritten into FILE every 10 s\n"
     PUBLISHING_HELP},
    {"ports", "  ports                  the serial ports to choose from: number, path, description\n"},
    {"simulate",
     "  simulate [--family 730|68] [--scenario NAME] [--interval MS] [--link PATH]\n"
     "                         a meter on a pseudo-terminal (MS from 10)\n"},
    {"open", "  open FILE              check a data file as File, Open does; its records as JSON Lines\n"},
    {"stats",
     "  stats FILE [--nominal X --tolerance P%] [--low A] [--high B]\n"
     "                         count, mean, spread, extremes and yield, one JSON object per function\n"},
    {"export",
     "  export --format NAME FILE OUT [--points P]\n"
     "                         a data file written by an export of the File menu\n"},
    {"workbook", "  workbook FILE OUT      the workbook of a data file, as Export Excel File writes it\n"},
    {"graph",
     "  graph FILE OUT [--points P]\n"
     "                         the chart after opening FILE, as Export Graph writes it\n"},
};

void PrintUsage() {
  std::fputs("usage: lcrtool <verb> [options]\n", stderr);
  for (const VerbUsage& v : kVerbs) std::fputs(v.text, stderr);
}

bool IsHelp(const char* arg) { return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0; }

// `lcrtool VERB --help`: the verb's usage on stdout, exit 0. Nothing after
// a "--" counts (a file may be called --help).
bool PrintVerbHelp(int argc, char** argv) {
  if (argc < 3) return false;
  const VerbUsage* usage = nullptr;
  for (const VerbUsage& v : kVerbs)
    if (std::strcmp(argv[1], v.verb) == 0) usage = &v;
  if (!usage) return false;
  for (int i = 2; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
    if (!IsHelp(argv[i])) continue;
    std::printf("usage: lcrtool %s", usage->text + 2);
    return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  lcr::FailOversizeWrites();
  if (PrintVerbHelp(argc, argv)) return 0;
  for (const char* verb : {"export", "workbook", "graph"})
    if (argc > 1 && std::strcmp(argv[1], verb) == 0) return lcrtool::RunExport(argc, argv);
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
  if (verb == "stats") return lcrtool::RunStats(args);
  if (verb == "--help" || verb == "-h" || verb == "help") {
    PrintUsage();
    return 0;
  }
  std::fprintf(stderr, "lcrtool: unknown verb '%s'\n", qPrintable(verb));
  PrintUsage();
  return 2;
}
