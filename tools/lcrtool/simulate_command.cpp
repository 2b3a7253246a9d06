#include <cstdio>

#include "commands.h"

namespace lcrtool {

int RunSimulate(const QStringList&) {
  std::fputs("lcrtool: simulate is not built yet\n", stderr);
  return 2;
}

}  // namespace lcrtool
