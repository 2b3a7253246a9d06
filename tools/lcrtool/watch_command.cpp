// lcrtool watch: the live cycle on the serial ports with the real clock,
// printing one line per recorded sample. Headless monitoring.
#include <cstdio>

#include "commands.h"
#include "live_session.h"

namespace lcrtool {

int RunWatch(const QStringList& args) {
  int rate = 120;
  for (int i = 0; i < args.size(); ++i) {
    bool ok = false;
    if (args[i] == "--rate" && i + 1 == args.size()) {
      std::fputs("lcrtool watch: --rate needs a value\n", stderr);
      return 2;
    }
    if (args[i] == "--rate") {
      rate = args[++i].toInt(&ok);
      if (ok && rate >= 1 && rate <= 120) continue;
    }
    std::fputs("lcrtool watch: usage: lcrtool watch [--rate N]  (N from 1 to 120)\n", stderr);
    return 2;
  }
  LiveSession session("lcrtool watch", std::make_unique<lcr::QtSerialIo>(), rate);
  session.SetEndsWithOutput(true);
  session.Run();
  return session.outputLost() ? 1 : 0;
}

}  // namespace lcrtool
