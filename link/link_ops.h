#pragma once
// Port discovery, the detection pass, the read pass and frame extraction.

#include <QDateTime>

#include "link/acquisition_state.h"
#include "link/serial_io.h"

namespace lcr {

// Opens and configures one port, noting the result in PortOpen and
// OpenResult; true when it opened.
bool OpenPort(AcquisitionState& s, SerialIo& io, int port);

// Opens and configures ports 1..50; true when at least one opened.
bool OpenPorts(AcquisitionState& s, SerialIo& io);

// Tries again, quietly, each port 1..50 that is not open: a meter plugged
// in after Start is found by the next detection pass.
void ReopenFailedPorts(AcquisitionState& s, SerialIo& io);

// sio_close on every port 1..50 except `keep` (0 closes all).
void ClosePortsExcept(SerialIo& io, int keep);

// Counts frame starts in ReceiveBuffer[1..n]; updates ActiveFamily and
// FrameLength. Returns the match count (the scan stops once it exceeds 1).
int ScanFrameFamily(AcquisitionState& s, int n);

// One Check_COM pass. True when a meter was found: LinkPort, ActiveFamily
// and FrameLength are set and every other port is closed. The caller owns
// the timers and calls ResetPanel.
bool DetectionPass(AcquisitionState& s, SerialIo& io, const QDateTime& now);

struct ReadPassResult {
  int rearmMs = 500;     // 500, or 550 after a top-up read
  bool decoded = false;  // at least one frame decoded ("Linking")
};

// One Read_Com pass over LinkPort.
ReadPassResult ReadPass(AcquisitionState& s, SerialIo& io, const QDateTime& now);

// Finds, validates and decodes the first frame in ReceiveBuffer[pos..pos+len-1];
// sets FrameStatus to "1" or "4" and ModelTag to the last candidate's tag.
void ExtractFrame(AcquisitionState& s, int pos, int len);

// Formats "yyyy-mm-dd:hh:nn:ss.zzz" (full) or "hh:nn:ss:zzz> " (trace).
std::string FormatStampFull(const QDateTime& t);
std::string FormatStampTrace(const QDateTime& t);

}  // namespace lcr
