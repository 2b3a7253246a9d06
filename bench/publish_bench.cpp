// Publishing to a local Mosquitto broker, a timed harness of its own:
//  - throughput: readings queued, sent and acknowledged per second, the
//    publisher driven directly with messages as the cycle makes them;
//  - the display tick (500 points, no window) with and without publishing,
//    alternating in the same run, and the slowest tick of each;
//  - `lcrtool replay` of a long capture with and without --mqtt (the
//    replay's own speed bounds what it can publish).
// Medians of the runs. Needs `mosquitto` on the PATH.
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

#include "bench/bench_support.h"
#include "bench_frames.h"
#include "link/scripted_serial_io.h"
#include "publish/reading_message.h"
#include "session/cycle.h"
#include "session/publishing.h"
#include "tests/publish/local_broker.h"

namespace {

using lcr::bench::Median;

lcr::PublisherOptions Options(int port, const QTemporaryDir& dir, const char* bench) {
  lcr::PublisherOptions o;
  o.url = *lcr::ParseBrokerUrl("mqtt://127.0.0.1:" + std::to_string(port) + "/bench", nullptr);
  o.bench = bench;
  o.queuePath = dir.filePath(QString("queue-") + bench + ".txt").toStdString();
  if (const QByteArray w = qgetenv("LCR_BENCH_INFLIGHT"); !w.isEmpty()) o.inflight = std::size_t(w.toInt());
  return o;
}

// Processor time a process has used, in µs (utime + stime of /proc/PID/stat).
double ProcessCpuUs(qint64 pid) {
  QFile f(QString("/proc/%1/stat").arg(pid));
  if (!f.open(QIODevice::ReadOnly)) return 0;
  const QByteArray text = f.readAll();
  const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
  return (fields.value(11).toDouble() + fields.value(12).toDouble()) * 1e6 / double(sysconf(_SC_CLK_TCK));
}

struct Rate {
  double perSecond = 0;
  double ownCpuUs = 0, brokerCpuUs = 0;  // per reading
};

// Readings per second from the first Publish to the last acknowledgement,
// and the processor time each took here (both threads) and in the broker.
Rate Throughput(int port, const QTemporaryDir& dir, const std::vector<std::string>& payloads, qint64 brokerPid) {
  lcr::MqttPublisher pub(Options(port, dir, "throughput"));
  pub.Start();
  pub.Publish(payloads[0]);
  if (!pub.WaitUntilSent(std::chrono::seconds(10))) return {};  // linked before the clock starts
  const double own0 = ProcessCpuUs(::getpid()), broker0 = ProcessCpuUs(brokerPid);
  QElapsedTimer t;
  t.start();
  for (const std::string& p : payloads) pub.Publish(p);
  if (!pub.WaitUntilSent(std::chrono::seconds(120))) return {};
  const double n = double(payloads.size());
  return {n / (double(t.nsecsElapsed()) / 1e9), (ProcessCpuUs(::getpid()) - own0) / n,
          (ProcessCpuUs(brokerPid) - broker0) / n};
}

struct TickTimes {
  double median = 0, worst = 0;  // µs
};

// The display tick at 500 points on a scripted port, each recording a sample.
TickTimes Ticks(int ticks, lcr::PublisherOptions* publish) {
  auto cycle = lcr::MakeCycle();
  lcr::Cycle& c = *cycle;
  lcr::FormCreate(c, QLocale::c());
  lcr::ApplySettings(c, 500, 120);
  lcr::ScriptedSerialIo io;
  io.SetOpenablePorts({1});
  io.SetLogCalls(false);
  const auto frames = lcr::bench::Frames730();
  const QDateTime t0(QDate(2026, 1, 2), QTime(10, 0), Qt::UTC);
  lcr::ButtonStartClick(c, io);
  lcr::bench::Bytes two(frames[1].begin(), frames[1].end());
  two.insert(two.end(), frames[1].begin(), frames[1].end());
  io.QueueRead(1, two);
  lcr::CheckComTimer(c, io, t0);
  std::unique_ptr<lcr::CyclePublishing> publishing;
  if (publish) publishing = std::make_unique<lcr::CyclePublishing>(c, std::make_unique<lcr::MqttPublisher>(*publish));
  std::vector<double> us;
  for (int k = 0; k < ticks; ++k) {
    const auto& f = frames[std::size_t(k) % frames.size()];
    io.QueueRead(1, lcr::bench::Bytes(f.begin(), f.end()));
    const QDateTime now = t0.addMSecs(500LL * (k + 1));
    lcr::ReadComTimer(c, io, now);
    QElapsedTimer t;
    t.start();
    lcr::ShowTimeTimer(c, now);
    us.push_back(double(t.nsecsElapsed()) / 1e3);
  }
  if (publishing) publishing->Finish(std::chrono::seconds(5));
  return {Median(us), *std::max_element(us.begin(), us.end())};
}

// A capture of `n` read passes of one frame each, for lcrtool replay.
QString Capture(const QTemporaryDir& dir, int n) {
  const auto frames = lcr::bench::Frames730();
  auto hex = [](const auto& b) {
    std::string s;
    char buf[4];
    for (std::uint8_t x : b) std::snprintf(buf, sizeof buf, "%02X ", x), s += buf;
    return s;
  };
  std::string text = hex(frames[1]) + hex(frames[1]) + "\n";
  for (int k = 0; k < n; ++k) text += hex(frames[std::size_t(k) % frames.size()]) + "\n";
  const QString path = dir.filePath("capture.txt");
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(text.data(), qint64(text.size()));
  return path;
}

// The seconds `lcrtool replay` took; a negative number when it failed or,
// publishing, ended with readings the broker had not acknowledged.
double ReplaySeconds(const QStringList& args) {
  QProcess p;
  p.setStandardOutputFile(QProcess::nullDevice());
  QElapsedTimer t;
  t.start();
  p.start(LCRTOOL_PATH, args);
  const bool finished = p.waitForFinished(600000);
  const double seconds = double(t.nsecsElapsed()) / 1e9;
  const QByteArray err = p.readAllStandardError();
  if (!finished || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0 ||
      err.contains("not acknowledged by the broker")) {
    std::fprintf(stderr, "publish_bench: lcrtool %s failed: %s\n", qPrintable(args.join(' ')), err.constData());
    return -1;
  }
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  qputenv("XDG_DATA_HOME", dir.path().toUtf8());
  lcrtest::Broker broker;
  if (!broker.Start()) {
    std::fputs("publish_bench: mosquitto did not start\n", stderr);
    return 1;
  }
  const int port = broker.port();

  // Messages as the cycle makes them, a realistic size each.
  lcr::MeasurementRecord rec;
  rec.TimeText.Assign("10:20:30");
  rec.MainValue.Assign("470.2");
  rec.MainCaption.Assign("CAP 2.000 nF");
  rec.SubValue.Assign("0.012");
  rec.SubCaption.Assign("D");
  std::vector<std::string> payloads;
  const QDateTime t0 = QDateTime::currentDateTime();
  for (int k = 0; k < 100000; ++k)
    payloads.push_back(lcr::ReadingPayload(rec, 730, t0.addMSecs(k * 500LL), std::uint64_t(k) + 1,
                                           "0b6f2c4e-3f0e-4d59-9a55-5d1f6c0c2a11"));
  std::printf("message size: %zu bytes\n", payloads[0].size());

  std::vector<double> rates, own, brokerCpu;
  for (int run = 0; run < 5; ++run) {
    const Rate r = Throughput(port, dir, payloads, broker.pid());
    rates.push_back(r.perSecond), own.push_back(r.ownCpuUs), brokerCpu.push_back(r.brokerCpuUs);
  }
  std::printf("throughput, %zu readings queued, sent and acknowledged: median %.0f readings/s (runs:", payloads.size(),
              Median(rates));
  for (double r : rates) std::printf(" %.0f", r);
  std::printf("); processor time per reading: %.1f us here, %.1f us in the broker\n", Median(own), Median(brokerCpu));

  lcr::PublisherOptions tickOptions = Options(port, dir, "ticks");
  std::vector<double> base, with, baseWorst, withWorst;
  for (int run = 0; run < 5; ++run) {
    const TickTimes b = Ticks(2000, nullptr);
    const TickTimes w = Ticks(2000, &tickOptions);
    base.push_back(b.median), baseWorst.push_back(b.worst);
    with.push_back(w.median), withWorst.push_back(w.worst);
  }
  std::printf("display tick, 500 points, no window: median %.1f us without publishing, %.1f us with "
              "(slowest tick, median of runs: %.0f us / %.0f us)\n",
              Median(base), Median(with), Median(baseWorst), Median(withWorst));

  const int records = argc > 1 ? std::atoi(argv[1]) : 20000;
  const QString capture = Capture(dir, records);
  const QString url = QString("mqtt://127.0.0.1:%1/bench").arg(port);
  std::vector<double> plain, published;
  for (int run = 0; run < 3; ++run) {
    plain.push_back(ReplaySeconds({"replay", capture}));
    published.push_back(ReplaySeconds({"replay", "--mqtt", url, "--bench", "replay", capture}));
    if (plain.back() < 0 || published.back() < 0) return 1;
  }
  std::printf("lcrtool replay of %d records: median %.2f s without --mqtt (%.0f records/s), %.2f s with, every "
              "reading acknowledged (%.0f records/s)\n",
              records, Median(plain), records / Median(plain), Median(published), records / Median(published));
  return 0;
}
