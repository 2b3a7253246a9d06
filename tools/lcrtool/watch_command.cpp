// lcrtool watch: the live cycle on the serial ports with the real clock,
// printing one line per recorded sample. Headless monitoring.
#include <cstdio>

#include "commands.h"
#include "live_session.h"
#include "publish_options.h"

namespace lcrtool {

int RunWatch(const QStringList& args) {
  int rate = 120;
  lcr::PublishSettings publish;
  for (int i = 0; i < args.size(); ++i) {
    bool ok = false;
    std::string why;
    if (TakePublishOption(args, i, publish, &why)) {
      if (why.empty()) continue;
      std::fprintf(stderr, "lcrtool watch: %s\n", why.c_str());
      return 2;
    }
    if (args[i] == "--rate" && i + 1 == args.size()) {
      std::fputs("lcrtool watch: --rate needs a value\n", stderr);
      return 2;
    }
    if (args[i] == "--rate") {
      rate = args[++i].toInt(&ok);
      if (ok && rate >= 1 && rate <= 120) continue;
    }
    std::fprintf(stderr, "lcrtool watch: usage: lcrtool watch [--rate N] %s  (N from 1 to 120)\n", kPublishUsage);
    return 2;
  }
  LiveSession session("lcrtool watch", std::make_unique<lcr::QtSerialIo>(), rate);
  session.SetEndsWithOutput(true);
  std::unique_ptr<lcr::CyclePublishing> publishing = StartPublishing("lcrtool watch", session.cycle(), publish, {});
  session.Run();
  FinishPublishing("lcrtool watch", publishing);
  return session.outputLost() ? 1 : 0;
}

}  // namespace lcrtool
