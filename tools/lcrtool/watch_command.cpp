#include <cstdio>

#include "commands.h"

namespace lcrtool {

int RunWatch(const QStringList&) {
  std::fputs("lcrtool: watch is not built yet\n", stderr);
  return 2;
}

}  // namespace lcrtool
