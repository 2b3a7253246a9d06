// lcrtool simulate: a meter on a pseudo-terminal.
#include <atomic>
#include <cstdio>
#include <optional>
#include <string>

#include "commands.h"
#include "decode/reading.h"
#include "simulator/pty_streamer.h"
#include "simulator/scenarios.h"

#ifdef LCR_SIM_HAVE_PTY
#include <csignal>
#endif

namespace lcrtool {

namespace {

constexpr int kMinIntervalMs = 10;
constexpr int kMaxIntervalMs = 60000;

struct SimulateOptions {
  lcr::sim::StreamOptions stream;
  std::string link;
};

// Parses the options; on a bad one prints one line and returns nothing.
std::optional<SimulateOptions> ParseOptions(const QStringList& args) {
  SimulateOptions o;
  o.stream.family = lcr::kFamily730;
  auto fail = [](const QString& message) {
    std::fprintf(stderr, "lcrtool simulate: %s\n", qPrintable(message));
    return std::nullopt;
  };
  for (int i = 0; i < args.size(); ++i) {
    const QString& name = args[i];
    if (name != "--family" && name != "--scenario" && name != "--interval" && name != "--link") {
      return fail(QString("unknown option '%1'").arg(name));
    }
    if (i + 1 >= args.size()) return fail(QString("%1 needs a value").arg(name));
    const QString value = args[++i];
    if (name == "--family") {
      if (value == "730") {
        o.stream.family = lcr::kFamily730;
      } else if (value == "68") {
        o.stream.family = lcr::kFamily68;
      } else {
        return fail(QString("--family must be 730 or 68, not '%1'").arg(value));
      }
    } else if (name == "--scenario") {
      const auto scenario = lcr::sim::ParseScenario(value.toStdString());
      if (!scenario) {
        return fail(QString("unknown scenario '%1' (steady, sweep, tour, overload, noise, switch)")
                        .arg(value));
      }
      o.stream.scenario = *scenario;
    } else if (name == "--interval") {
      bool ok = false;
      const int ms = value.toInt(&ok);
      if (!ok || ms < kMinIntervalMs || ms > kMaxIntervalMs) {
        return fail(QString("--interval must be a whole number of milliseconds from %1 to %2")
                        .arg(kMinIntervalMs)
                        .arg(kMaxIntervalMs));
      }
      o.stream.intervalMs = ms;
    } else {
      if (value.isEmpty()) return fail("--link needs a path");
      o.link = value.toStdString();
    }
  }
  return o;
}

#ifdef LCR_SIM_HAVE_PTY
std::atomic<bool> g_stop{false};

extern "C" void OnStopSignal(int) { g_stop.store(true); }

void InstallStopHandlers() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  for (int sig : {SIGINT, SIGTERM, SIGHUP}) sigaction(sig, &action, nullptr);
}
#endif

}  // namespace

int RunSimulate(const QStringList& args) {
  const std::optional<SimulateOptions> options = ParseOptions(args);
  if (!options) return 2;
#ifdef LCR_SIM_HAVE_PTY
  lcr::sim::PtyStreamer pty;
  std::string error;
  if (!pty.Open(&error)) {
    std::fprintf(stderr, "lcrtool simulate: %s\n", error.c_str());
    return 1;
  }
  if (!options->link.empty() && !pty.Link(options->link, &error)) {
    std::fprintf(stderr, "lcrtool simulate: %s\n", error.c_str());
    return 1;
  }
  InstallStopHandlers();
  std::printf("%s\n", pty.DevicePath().c_str());
  std::fflush(stdout);
  std::fprintf(stderr,
               "lcrtool simulate: family %d, scenario %s, a frame every %d ms on %s%s%s; "
               "Ctrl-C stops\n",
               options->stream.family,
               std::string(lcr::sim::ScenarioName(options->stream.scenario)).c_str(),
               options->stream.intervalMs, pty.DevicePath().c_str(),
               options->link.empty() ? "" : " linked as ", options->link.c_str());
  const bool ok = lcr::sim::StreamScenario(pty, options->stream, g_stop);
  pty.Close();
  if (!ok) {
    std::fputs("lcrtool simulate: the pseudo-terminal failed\n", stderr);
    return 1;
  }
  return 0;
#else
  std::fputs("lcrtool simulate: not supported on this system\n", stderr);
  return 1;
#endif
}

}  // namespace lcrtool
