#include "test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QUuid>
#include <cstdio>

namespace lcrtest {

Bytes Frame730(std::initializer_list<std::pair<int, std::uint8_t>> set) {
  Bytes f(17, 0);
  f[1] = 0x0D;
  f[15] = 0x0D;
  f[16] = 0x0A;
  for (auto [i, v] : set) f[std::size_t(i)] = v;
  return f;
}

Bytes Frame68(std::initializer_list<std::pair<int, std::uint8_t>> set) {
  Bytes f(31, 0);
  f[0] = 0xAA;
  f[1] = 0x55;
  f[2] = 0x00;
  f[3] = 0x37;
  f[28] = 0x08;
  f[29] = 0xBB;
  f[30] = 0x66;
  for (auto [i, v] : set) f[std::size_t(i)] = v;
  return f;
}

Bytes Frame730Value(int value) {
  return Frame730({{6, std::uint8_t((value >> 8) & 0xFF)}, {7, std::uint8_t(value & 0xFF)}, {8, 0x08}});
}

QDateTime CycleRig::Now() const {
  static const QDateTime t0(QDate(2026, 1, 2), QTime(10, 20, 30));
  return t0.addMSecs(qint64(ticks) * 500);
}

bool CycleRig::StartAndDetect(int family) {
  lcr::FormCreate(*c, QLocale::c());
  if (!lcr::ButtonStartClick(*c, io)) return false;
  io.QueueRead(1, family == 68 ? Concat({Frame68(), Frame68()}) : Concat({Frame730Value(1), Frame730Value(1)}));
  return lcr::CheckComTimer(*c, io, Now());
}

bool CycleRig::ReadAndTick(const Bytes& read) {
  io.QueueRead(1, read);
  lcr::ReadComTimer(*c, io, Now());
  ++ticks;
  return lcr::ShowTimeTimer(*c, Now());
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

Bytes Junk(std::size_t n, unsigned char fill) { return Bytes(n, fill); }

ProcessResult RunProgram(const QString& program, const QStringList& args, int timeoutMs) {
  QProcess p;
  p.start(program, args);
  ProcessResult r;
  if (!p.waitForFinished(timeoutMs)) {
    p.kill();
    p.waitForFinished();
    return r;
  }
  r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  r.out = p.readAllStandardOutput();
  r.err = p.readAllStandardError();
  return r;
}

bool Simulator::Start(const QStringList& args) {
  process_.start(LCRTOOL_PATH, QStringList{"simulate"} + args);
  if (!process_.waitForStarted(5000)) return false;
  QElapsedTimer t;
  t.start();
  while (!process_.canReadLine() && t.elapsed() < 5000) process_.waitForReadyRead(100);
  device_ = QString::fromLocal8Bit(process_.readLine()).trimmed();
  return !device_.isEmpty();
}

void Simulator::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(5000)) {
    process_.kill();
    process_.waitForFinished(5000);
  }
}

QString WriteTempFile(const QByteArray& text, const QString& suffix) {
  static QTemporaryDir dir;
  const QString path = dir.filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + suffix);
  QFile f(path);
  if (f.open(QIODevice::WriteOnly)) f.write(text);
  return path;
}

std::string HexLine(const Bytes& bytes) {
  std::string out;
  char buf[4];
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    std::snprintf(buf, sizeof buf, "%02X", bytes[i]);
    if (i) out += ' ';
    out += buf;
  }
  return out;
}

QByteArray ReplayScript(const std::vector<Bytes>& reads) {
  QByteArray script;
  for (const Bytes& r : reads) script += QByteArray::fromStdString(HexLine(r)) + "\n";
  return script;
}

ProcessResult RunReplay(const QByteArray& script, QStringList options) {
  options << WriteTempFile(script);
  return RunProgram(LCRTOOL_PATH, QStringList{"replay"} + options);
}

QList<QByteArray> OutputLines(const QByteArray& out) {
  QList<QByteArray> lines = out.split('\n');
  lines.removeAll(QByteArray());
  return lines;
}

}  // namespace lcrtest
