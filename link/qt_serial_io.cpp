#include "link/qt_serial_io.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QSerialPortInfo>
#include <QThread>
#include <algorithm>

#include "link/port_list.h"

#ifndef Q_OS_WIN
#include <cerrno>
#include <unistd.h>
#endif

namespace lcr {

namespace {

// The codes the acquisition cycle passes.
constexpr int kBaudCode9600 = kBaud9600;
constexpr int kMode8N1Code = kMode8N1;
constexpr int kNoFlowControl = 0;

// How often sio_read looks for a device that went away.
constexpr int kReopenIntervalMs = 500;
// How long the system's port list is reused: OpenPorts asks for 50 ports in
// a row, and listing them is slow.
constexpr int kPortListTtlMs = 1000;
// Bytes QSerialPort may hold for a port nobody reads; past that the driver
// drops them, as a UART's queue would.
constexpr qint64 kReadBufferLimit = 16384;

#ifndef Q_OS_WIN
// True when the device exists but this user may not read and write it.
bool LacksPermission(const QString& path) {
  const QByteArray native = QFile::encodeName(path);
  return ::access(native.constData(), R_OK | W_OK) != 0 && errno == EACCES;
}
#endif

}  // namespace

QtSerialIo::QtSerialIo() = default;

QtSerialIo::QtSerialIo(QStringList devices) : ownPorts_(std::move(devices)) {
  ownPorts_.removeAll(QString());
  fixedPorts_ = ownPorts_;
}

void QtSerialIo::ChoosePort(const std::string& device) {
  const QStringList ports = device.empty() ? ownPorts_ : QStringList{QString::fromStdString(device)};
  if (ports == fixedPorts_) return;
  // Port numbers now stand for other devices: nothing opened for the old
  // numbering stays open or named.
  for (int port = 1; port <= kMaxPorts; ++port) {
    sio_close(port);
    slots_[port].path.clear();
  }
  fixedPorts_ = ports;
}

QtSerialIo::~QtSerialIo() {
  for (Slot& slot : slots_) {
    if (slot.serial) {
      slot.serial->disconnect();
      if (slot.serial->isOpen()) slot.serial->close();
    }
  }
}

void QtSerialIo::RefreshPortList() {
  if (portListAge_.isValid() && portListAge_.elapsed() < kPortListTtlMs) return;
  QStringList system;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
    system.append(info.systemLocation());
  }
  portList_ = BuildPortList(qEnvironmentVariable(kPortsEnvVar), std::move(system));
  portListAge_.start();
}

QString QtSerialIo::DevicePath(int port) {
  if (!ValidPort(port)) return {};
  if (!fixedPorts_.isEmpty()) return port <= fixedPorts_.size() ? fixedPorts_[port - 1] : QString();
#ifdef Q_OS_WIN
  return QStringLiteral("COM%1").arg(port);
#else
  RefreshPortList();
  return port <= portList_.size() ? portList_[port - 1] : QString();
#endif
}

std::string QtSerialIo::DeviceName(int port) {
  if (ValidPort(port) && !slots_[port].path.isEmpty()) return slots_[port].path.toStdString();
  const QString path = DevicePath(port);
  return path.isEmpty() ? SerialIo::DeviceName(port) : path.toStdString();
}

bool QtSerialIo::IsOpen(int port) const {
  return ValidPort(port) && slots_[port].serial && slots_[port].serial->isOpen();
}

void QtSerialIo::ApplyLineSignal(QSerialPort& serial, bool dtr, bool on) {
  const bool ok = dtr ? serial.setDataTerminalReady(on) : serial.setRequestToSend(on);
  // Pseudo-terminals and some adapters have no modem lines; that is no fault.
  if (!ok) serial.clearError();
}

int QtSerialIo::OpenDevice(Slot& slot) {
  QSerialPort& serial = *slot.serial;
  serial.setPortName(slot.path);
  serial.setBaudRate(slot.baud);
  serial.setDataBits(QSerialPort::Data8);
  serial.setParity(QSerialPort::NoParity);
  serial.setStopBits(QSerialPort::OneStop);
  serial.setFlowControl(QSerialPort::NoFlowControl);
  serial.setReadBufferSize(kReadBufferLimit);
  if (!serial.open(QIODevice::ReadWrite)) {
    const QSerialPort::SerialPortError error = serial.error();
    serial.clearError();
#ifndef Q_OS_WIN
    // The status bar tells the user how to get the right.
    if (error == QSerialPort::PermissionError && LacksPermission(slot.path)) return kSioNoPermission;
#endif
    // A device this user may open, refused all the same: another program
    // holds it (its lock file, or an exclusive open).
    if (error == QSerialPort::PermissionError) return kSioInUse;
    return kSioOpenFailed;
  }
  ApplyLineSignal(serial, true, slot.dtr);
  ApplyLineSignal(serial, false, slot.rts);
  serial.clearError();
  return 0;
}

void QtSerialIo::OnError(int port, QSerialPort::SerialPortError error) {
  if (error != QSerialPort::ResourceError && error != QSerialPort::ReadError) return;
  Slot& slot = slots_[port];
  if (!slot.serial || !slot.serial->isOpen()) return;
  // The device went away: QSerialPort would report the same error on every
  // turn of the event loop. Close now; sio_read reopens the path later.
  slot.serial->close();
  slot.serial->clearError();
  slot.lost = slot.wanted;
  slot.lastTry.start();
}

void QtSerialIo::TryReopen(Slot& slot) {
  if (slot.lastTry.isValid() && slot.lastTry.elapsed() < kReopenIntervalMs) return;
  slot.lastTry.start();
#ifndef Q_OS_WIN
  // A cheap look first: a replugged device or a restarted simulator brings
  // its path back (a dangling link does not count).
  if (!QFileInfo::exists(slot.path)) return;
#endif
  if (OpenDevice(slot) == 0) slot.lost = false;
}

int QtSerialIo::sio_open(int port) {
  if (!ValidPort(port)) return kSioBadPort;
  Slot& slot = slots_[port];
  if (slot.serial && slot.serial->isOpen()) slot.serial->close();
  slot.wanted = false;
  slot.lost = false;
  const QString path = DevicePath(port);
  if (path.isEmpty()) return kSioBadPort;
#ifndef Q_OS_WIN
  // A listed path with no device behind it (a meter not plugged in yet) is
  // told at once: QSerialPort would first create and sync a lock file, and
  // detection passes retry such ports every two seconds.
  if (!QFileInfo::exists(path)) return kSioBadPort;
#endif
  if (!slot.serial) {
    slot.serial = std::make_unique<QSerialPort>();
    QObject::connect(slot.serial.get(), &QSerialPort::errorOccurred, slot.serial.get(),
                     [this, port](QSerialPort::SerialPortError e) { OnError(port, e); });
  }
  slot.path = path;
  slot.baud = 9600;
  slot.dtr = false;
  slot.rts = false;
  if (const int result = OpenDevice(slot); result != 0) return result;
  slot.wanted = true;
  return 0;
}

int QtSerialIo::sio_ioctl(int port, int baud, int mode) {
  if (!ValidPort(port)) return kSioBadPort;
  if (baud != kBaudCode9600 || mode != kMode8N1Code) return kSioBadParameter;
  Slot& slot = slots_[port];
  slot.baud = 9600;
  if (!IsOpen(port)) return kSioNotOpen;
  QSerialPort& serial = *slot.serial;
  const bool ok = serial.setBaudRate(9600) && serial.setDataBits(QSerialPort::Data8) &&
                  serial.setParity(QSerialPort::NoParity) &&
                  serial.setStopBits(QSerialPort::OneStop);
  if (!ok) serial.clearError();
  return 0;
}

int QtSerialIo::sio_flowctrl(int port, int mode) {
  if (!ValidPort(port)) return kSioBadPort;
  if (mode != kNoFlowControl) return kSioBadParameter;
  if (!IsOpen(port)) return kSioNotOpen;
  QSerialPort& serial = *slots_[port].serial;
  if (!serial.setFlowControl(QSerialPort::NoFlowControl)) serial.clearError();
  return 0;
}

int QtSerialIo::sio_DTR(int port, int mode) {
  if (!ValidPort(port)) return kSioBadPort;
  slots_[port].dtr = mode != 0;
  if (!IsOpen(port)) return kSioNotOpen;
  ApplyLineSignal(*slots_[port].serial, true, mode != 0);
  return 0;
}

int QtSerialIo::sio_RTS(int port, int mode) {
  if (!ValidPort(port)) return kSioBadPort;
  slots_[port].rts = mode != 0;
  if (!IsOpen(port)) return kSioNotOpen;
  ApplyLineSignal(*slots_[port].serial, false, mode != 0);
  return 0;
}

int QtSerialIo::sio_read(int port, char* buffer, int len) {
  if (!ValidPort(port)) return kSioBadPort;
  if (buffer == nullptr || len <= 0) return kSioBadParameter;
  Slot& slot = slots_[port];
  if (slot.lost) {
    TryReopen(slot);
    // Still open as far as the caller knows: nothing has arrived.
    if (slot.lost) return 0;
  }
  if (!IsOpen(port)) return kSioNotOpen;
  // Only what the event loop (or Wait) has taken in: this never blocks.
  const qint64 n = slot.serial->read(buffer, len);
  return n > 0 ? static_cast<int>(n) : 0;
}

int QtSerialIo::sio_close(int port) {
  if (!ValidPort(port)) return kSioBadPort;
  Slot& slot = slots_[port];
  slot.wanted = false;
  slot.lost = false;
  if (slot.serial && slot.serial->isOpen()) slot.serial->close();
  return 0;
}

void QtSerialIo::Wait(int port, int ms) {
  if (ms <= 0) return;
  const QDeadlineTimer deadline(ms);
  while (!deadline.hasExpired()) {
    if (!IsOpen(port)) {
      QThread::msleep(static_cast<unsigned long>(std::max<qint64>(0, deadline.remainingTime())));
      return;
    }
    QSerialPort& serial = *slots_[port].serial;
    const int left = static_cast<int>(std::max<qint64>(1, deadline.remainingTime()));
    if (serial.waitForReadyRead(left)) continue;  // took bytes in; wait on for the rest
    const QSerialPort::SerialPortError error = serial.error();
    serial.clearError();
    if (error != QSerialPort::TimeoutError && IsOpen(port)) {
      // A failure that closed nothing: sleep out the wait rather than spin.
      QThread::msleep(static_cast<unsigned long>(std::max<qint64>(0, deadline.remainingTime())));
      return;
    }
  }
}

}  // namespace lcr
