#pragma once
// The serial ports a user can pick from, numbered as automatic detection
// numbers them. The settings dialog's "Port" choice and `lcrtool ports` both
// show this list, so a meter found in a terminal is found in the window.

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace lcr {

// The environment variable that puts device paths in front of the port list.
inline constexpr char kPortsEnvVar[] = "LCR_TAVRIK_PORTS";
// Where Linux keeps a stable name for each USB serial device.
inline constexpr char kStableNameFolder[] = "/dev/serial/by-id";

// The device list of ports 1, 2, ...: `envValue` split at ':' (empty entries
// dropped), then `systemPorts` sorted, without repeating a path already given.
QStringList BuildPortList(const QString& envValue, QStringList systemPorts);

// A serial port as the system lists it.
struct SystemPort {
  QString path;         // "/dev/ttyUSB0", "COM3"
  QString description;  // the system's words for it; often empty
};

struct PortListing {
  int number = 0;       // the port automatic detection reads it as (0: none)
  QString path;         // the device opened
  QString description;  // the system's words, or where the path came from
  QString stableName;   // the /dev/serial/by-id/ link to the device, or ""

  // What a choice of this port keeps: the stable name, which survives
  // replugging into another socket, else the path.
  QString Choice() const { return stableName.isEmpty() ? path : stableName; }
};

// The ports in the order automatic detection numbers them: the paths of
// `envValue` (LCR_TAVRIK_PORTS), then the system's. `stableNames` maps a
// device's canonical path to its stable link (StableNames).
QList<PortListing> ListPorts(const QString& envValue, const QList<SystemPort>& system,
                             const QHash<QString, QString>& stableNames);

// The symbolic links in `folder`, by the canonical path each points to.
QHash<QString, QString> StableNames(const QString& folder);

// The list as the system has it now.
QList<PortListing> ListPortsNow();

// The entry a kept choice names, by path or stable name; -1 when none does.
qsizetype FindPort(const QList<PortListing>& ports, const QString& choice);

// "/dev/ttyUSB0 (FT232R USB UART; /dev/serial/by-id/usb-...)": what the
// dialog shows for a port.
QString PortLabel(const PortListing& port);

}  // namespace lcr
