#pragma once
// The verbs of lcrtool; each takes the arguments after the verb.

#include <QStringList>

namespace lcrtool {

int RunReplay(const QStringList& args);
int RunWatch(const QStringList& args);
int RunLog(const QStringList& args);
int RunSimulate(const QStringList& args);
int RunOpen(const QStringList& args);
int RunPorts(const QStringList& args);
// export, workbook and graph: builds its own application object (widgets,
// offscreen, where the build has them), so it is called from main before
// any other is made, with the whole command line.
int RunExport(int argc, char** argv);
int RunStats(const QStringList& args);

}  // namespace lcrtool
