#include "progress_line.h"

#include <cstdio>
#ifdef _WIN32
#include <io.h>
#define LCRTOOL_ISATTY(f) _isatty(_fileno(f))
#else
#include <unistd.h>
#define LCRTOOL_ISATTY(f) isatty(fileno(f))
#endif

namespace lcrtool {

namespace {

constexpr int kShowAfterMs = 300;

}  // namespace

ProgressLine::ProgressLine(std::string what) : what_(std::move(what)), terminal_(LCRTOOL_ISATTY(stderr) != 0) {
  clock_.start();
}

ProgressLine::~ProgressLine() {
  if (shown_ >= 0) std::fputc('\n', stderr);
}

lcr::Progress ProgressLine::progress() {
  if (!terminal_) return {};
  return {[this](qint64 done, qint64 total) {
    const int percent = total > 0 ? int(100 * done / total) : 0;
    if (percent != shown_ && clock_.elapsed() >= kShowAfterMs) {
      shown_ = percent;
      std::fprintf(stderr, "\r%s (%d%%)", what_.c_str(), percent);
      std::fflush(stderr);
    }
    return true;
  }};
}

}  // namespace lcrtool
