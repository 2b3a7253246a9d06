#include "std_output.h"

#include <cerrno>
#include <cstdio>

#include "files/file_message.h"
#include "files/safe_write.h"

namespace lcrtool {

namespace {

int g_failedWith = 0;  // errno of the first failed write, 0 while none failed

bool Failed() {
  if (g_failedWith == 0) g_failedWith = errno != 0 ? errno : EIO;
  return false;
}

}  // namespace

bool Print(std::string_view bytes) {
  if (g_failedWith != 0) return false;
  errno = 0;
  if (std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) return Failed();
  return true;
}

bool FlushOutput() {
  if (g_failedWith != 0) return false;
  errno = 0;
  if (std::fflush(stdout) != 0) return Failed();
  return true;
}

bool OutputComplete(const char* verb) {
  if (FlushOutput()) return true;
  const QString why = lcr::CouldNotBeWritten(QStringLiteral("standard output"), lcr::SystemErrorText(g_failedWith));
  std::fprintf(stderr, "%s: %s\n", verb, qPrintable(why));
  return false;
}

}  // namespace lcrtool
