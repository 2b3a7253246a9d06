#include "link/port_list.h"

#include <QDir>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <algorithm>

namespace lcr {

namespace {

// "ttyUSB2" before "ttyUSB10": runs of digits compare by value.
bool NaturalLess(const QString& a, const QString& b) {
  int i = 0, j = 0;
  while (i < a.size() && j < b.size()) {
    if (a[i].isDigit() && b[j].isDigit()) {
      int ie = i, je = j;
      while (ie < a.size() && a[ie].isDigit()) ++ie;
      while (je < b.size() && b[je].isDigit()) ++je;
      // Compare the digit runs without leading zeros, first by length.
      int is = i, js = j;
      while (is + 1 < ie && a[is] == u'0') ++is;
      while (js + 1 < je && b[js] == u'0') ++js;
      if (ie - is != je - js) return ie - is < je - js;
      for (int k = 0; k < ie - is; ++k) {
        if (a[is + k] != b[js + k]) return a[is + k] < b[js + k];
      }
      i = ie;
      j = je;
      continue;
    }
    if (a[i] != b[j]) return a[i] < b[j];
    ++i;
    ++j;
  }
  return (a.size() - i) < (b.size() - j);
}

// The device a path stands for: links followed, or the path itself when it
// leads nowhere (yet).
QString CanonicalOf(const QString& path) {
  const QString canonical = QFileInfo(path).canonicalFilePath();
  return canonical.isEmpty() ? path : canonical;
}

// Port n is the n-th entry of the list, except on Windows, where the serial
// backend opens "COMn" for port n and nothing else.
int NumberOf(const QString& path, qsizetype index) {
#ifdef Q_OS_WIN
  if (!path.startsWith(QLatin1String("COM"), Qt::CaseInsensitive)) return 0;
  bool ok = false;
  const int n = path.mid(3).toInt(&ok);
  return ok && n >= 1 && n <= 50 ? n : 0;
#else
  Q_UNUSED(path);
  return int(index) + 1;
#endif
}

}  // namespace

QStringList BuildPortList(const QString& envValue, QStringList systemPorts) {
  QStringList list;
  for (const QString& entry : envValue.split(u':', Qt::SkipEmptyParts)) {
    const QString path = entry.trimmed();
    if (!path.isEmpty() && !list.contains(path)) list.append(path);
  }
  std::sort(systemPorts.begin(), systemPorts.end(), NaturalLess);
  for (const QString& path : systemPorts) {
    if (!path.isEmpty() && !list.contains(path)) list.append(path);
  }
  return list;
}

QList<PortListing> ListPorts(const QString& envValue, const QList<SystemPort>& system,
                             const QHash<QString, QString>& stableNames) {
  QStringList systemPaths;
  for (const SystemPort& port : system) systemPaths.append(port.path);
  const QStringList paths = BuildPortList(envValue, systemPaths);

  QList<PortListing> list;
  for (qsizetype i = 0; i < paths.size(); ++i) {
    PortListing entry;
    entry.number = NumberOf(paths[i], i);
    entry.path = paths[i];
    const auto listed = std::find_if(system.begin(), system.end(),
                                     [&](const SystemPort& p) { return p.path == paths[i]; });
    if (listed == system.end()) {
      entry.description = QStringLiteral("named in %1").arg(QLatin1String(kPortsEnvVar));
    } else {
      entry.description = listed->description.trimmed();
    }
    const QString stable = stableNames.value(CanonicalOf(paths[i]));
    if (stable != paths[i]) entry.stableName = stable;
    list.append(entry);
  }
  return list;
}

QHash<QString, QString> StableNames(const QString& folder) {
  QHash<QString, QString> names;
  const QDir dir(folder);
  const QFileInfoList links = dir.entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
  for (const QFileInfo& link : links) {
    if (!link.isSymLink()) continue;
    const QString target = link.canonicalFilePath();
    if (!target.isEmpty() && !names.contains(target)) names.insert(target, link.absoluteFilePath());
  }
  return names;
}

QList<PortListing> ListPortsNow() {
  QList<SystemPort> system;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
    system.append({info.systemLocation(), info.description()});
#ifdef Q_OS_WIN
  // The backend numbers only COM ports; a path to choose is still listed.
  return ListPorts(qEnvironmentVariable(kPortsEnvVar), system, {});
#else
  return ListPorts(qEnvironmentVariable(kPortsEnvVar), system, StableNames(QLatin1String(kStableNameFolder)));
#endif
}

qsizetype FindPort(const QList<PortListing>& ports, const QString& choice) {
  if (choice.isEmpty()) return -1;
  for (qsizetype i = 0; i < ports.size(); ++i)
    if (ports[i].path == choice || ports[i].stableName == choice) return i;
  return -1;
}

QString PortLabel(const PortListing& port) {
  QStringList about;
  if (!port.description.isEmpty()) about.append(port.description);
  if (!port.stableName.isEmpty()) about.append(port.stableName);
  if (about.isEmpty()) return port.path;
  return port.path + QStringLiteral(" (") + about.join(QStringLiteral("; ")) + u')';
}

}  // namespace lcr
