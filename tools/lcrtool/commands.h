#pragma once
// The verbs of lcrtool; each takes the arguments after the verb.

#include <QStringList>

namespace lcrtool {

int RunReplay(const QStringList& args);
int RunWatch(const QStringList& args);
int RunLog(const QStringList& args);
int RunSimulate(const QStringList& args);

}  // namespace lcrtool
