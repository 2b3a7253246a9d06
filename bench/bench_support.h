#pragma once
// Helpers shared by the timed harnesses: peak memory, processor time, the
// median of the runs and a record that changes from sample to sample as a
// real session does.

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "decode/reading.h"

namespace lcr::bench {

// Peak resident memory of this process so far, in bytes (Linux).
inline long long PeakRss() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').first().toLongLong() * 1024;
  return -1;
}

// Processor time of this process since `start`, in ms: unlike the wall
// clock, it hardly moves with the load other programs put on the machine.
inline double CpuMsSince(std::clock_t start) { return 1000.0 * double(std::clock() - start) / CLOCKS_PER_SEC; }

// The middle value (the mean of the two middle ones for an even count); 0 for none.
inline double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// A family 68 capacitance reading with a frequency secondary.
inline Reading SampleReading(int i) {
  Reading r;
  r.DisplayCodes = std::string(kBlankDisplayCodes);
  r.DisplayCodes[3] = '1';
  char value[16];
  std::snprintf(value, sizeof value, "%d.%03d", 10 + i % 9, i % 1000);
  r.MainValue = value;
  r.SubValue = i % 5 ? "0.0123" : "OL";
  r.MainRange = "20.000";
  r.SubRange = "9.999";
  r.MainFunction = "CAPnF";
  r.SubFunction = "FREKHz";
  return r;
}

}  // namespace lcr::bench
