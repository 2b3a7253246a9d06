#pragma once
// The verbs of lcrtool; each takes the arguments after the verb.

#include <QStringList>

namespace lcrtool {

int RunReplay(const QStringList& args);
int RunWatch(const QStringList& args);
int RunLog(const QStringList& args);
int RunSimulate(const QStringList& args);
int RunOpen(const QStringList& args);
int RunWorkbook(const QStringList& args);
int RunPorts(const QStringList& args);
int RunStats(const QStringList& args);
// Builds its own application object (widgets, offscreen): called from main
// before any other is made, with the whole command line.
int RunGraph(int argc, char** argv);

}  // namespace lcrtool
