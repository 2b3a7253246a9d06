#pragma once
// The serial backend for real devices, over QSerialPort.
//
// Port n is "COMn" on Windows. Elsewhere it is the n-th entry of a list made
// of the device paths in LCR_TAVRIK_PORTS (':'-separated; pseudo-terminals
// and /dev/serial/by-id links belong there), then the serial ports the
// system lists, sorted by path (BuildPortList, port_list.h). A chosen port
// (ChoosePort) is port 1, and the only one, on every system.
//
// Bytes are taken in by QSerialPort while the event loop runs (or during
// Wait); sio_read hands out what is buffered and never blocks. A port whose
// device goes away is closed at the first error and reopened quietly by
// sio_read once its path exists again.

#include <QElapsedTimer>
#include <QSerialPort>
#include <QString>
#include <QStringList>
#include <array>
#include <memory>

#include "link/port_list.h"
#include "link/serial_io.h"

namespace lcr {

// Results of the calls besides 0 (success).
inline constexpr int kSioBadPort = -1;       // port outside 1..50, or no device for it
inline constexpr int kSioBadParameter = -2;  // a code this backend does not know
inline constexpr int kSioOpenFailed = -3;    // the device exists but would not open
inline constexpr int kSioNotOpen = -4;       // a call on a port that is not open

class QtSerialIo : public SerialIo {
 public:
  QtSerialIo();
  // Port n is the n-th of `devices` and nothing else (lcrtool log --port).
  explicit QtSerialIo(QStringList devices);
  ~QtSerialIo() override;
  QtSerialIo(const QtSerialIo&) = delete;
  QtSerialIo& operator=(const QtSerialIo&) = delete;

  int sio_open(int port) override;
  int sio_ioctl(int port, int baud, int mode) override;
  int sio_flowctrl(int port, int mode) override;
  int sio_DTR(int port, int mode) override;
  int sio_RTS(int port, int mode) override;
  int sio_read(int port, char* buffer, int len) override;
  int sio_close(int port) override;
  void Wait(int port, int ms) override;
  void ChoosePort(const std::string& device) override;

  // The device path port n stands for now ("" when there is none).
  QString DevicePath(int port);
  // The device port n was last opened on, else the one it stands for now.
  std::string DeviceName(int port) override;
  // True while `port` has an open device (false while it waits for a
  // replugged device to come back).
  bool IsOpen(int port) const;

 private:
  struct Slot {
    std::unique_ptr<QSerialPort> serial;
    QString path;            // the device the port was opened on
    bool wanted = false;     // opened by sio_open and not closed by sio_close
    bool lost = false;       // the device went away; reopen when it is back
    QElapsedTimer lastTry;   // the last look for a lost device
    // Line settings applied on every (re)open.
    qint32 baud = 9600;
    bool dtr = false;
    bool rts = false;
  };

  static bool ValidPort(int port) { return port >= 1 && port <= kMaxPorts; }
  void RefreshPortList();
  // 0, kSioNoPermission or kSioOpenFailed.
  int OpenDevice(Slot& slot);
  void OnError(int port, QSerialPort::SerialPortError error);
  void TryReopen(Slot& slot);
  static void ApplyLineSignal(QSerialPort& serial, bool dtr, bool on);

  std::array<Slot, kMaxPorts + 1> slots_;
  QStringList portList_;
  QStringList ownPorts_;    // the devices given at construction
  QStringList fixedPorts_;  // when not empty, the whole port list
  QElapsedTimer portListAge_;
};

}  // namespace lcr
