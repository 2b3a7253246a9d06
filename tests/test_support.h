#pragma once
// Frame builders and small helpers shared by the tests.

#include <QByteArray>
#include <QList>
#include <QStringList>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include <QDateTime>
#include <QProcess>
#include <memory>

#include "session/cycle.h"
#include "link/scripted_serial_io.h"

namespace lcrtest {

using Bytes = std::vector<unsigned char>;

// A 17-byte frame: 00 0D, zeros, 0D 0A, with the given bytes overridden.
Bytes Frame730(std::initializer_list<std::pair<int, std::uint8_t>> set = {});
// A 31-byte frame that passes every test of its family (blank digits, byte
// 28 = 0x08), with the given bytes overridden.
Bytes Frame68(std::initializer_list<std::pair<int, std::uint8_t>> set = {});

// A 730 frame whose primary reads `value` (no decimals) with function code 1 (ohm).
Bytes Frame730Value(int value);

Bytes Concat(std::initializer_list<Bytes> parts);
Bytes Junk(std::size_t n, unsigned char fill = 0x55);

// The cycle on a scripted port 1, with a clock that moves 500 ms a tick.
struct CycleRig {
  std::unique_ptr<lcr::Cycle> c = lcr::MakeCycle();
  lcr::ScriptedSerialIo io;
  int ticks = 0;

  QDateTime Now() const;
  // Start-up, Start, and a detection pass over two frames of `family`.
  bool StartAndDetect(int family = 730);
  // One read pass over `read`, then one display tick; true when it recorded.
  bool ReadAndTick(const Bytes& read);
};

// Runs a program; returns its exit code and captures both streams.
struct ProcessResult {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};
ProcessResult RunProgram(const QString& program, const QStringList& args, int timeoutMs = 60000);

// `lcrtool simulate` running in the background; stopped when destroyed.
class Simulator {
 public:
  ~Simulator() { Stop(); }
  // Starts it and waits for the device path it prints.
  bool Start(const QStringList& args);
  void Stop();
  const QString& Device() const { return device_; }
  QProcess& Process() { return process_; }

 private:
  QProcess process_;
  QString device_;
};

// Writes `text` to a fresh temporary file and returns its path.
QString WriteTempFile(const QByteArray& text, const QString& suffix = ".txt");

// Hex line of a read, as replay scripts hold it.
std::string HexLine(const Bytes& bytes);

// A replay script: one line per read.
QByteArray ReplayScript(const std::vector<Bytes>& reads);
// Runs `lcrtool replay` with `options` on `script`.
ProcessResult RunReplay(const QByteArray& script, QStringList options = {});
// The non-empty lines of a replay's output.
QList<QByteArray> OutputLines(const QByteArray& out);

}  // namespace lcrtest
