#include <cstdio>

#include "commands.h"

namespace lcrtool {

int RunReplay(const QStringList&) {
  std::fputs("lcrtool: replay is not built yet\n", stderr);
  return 2;
}

}  // namespace lcrtool
