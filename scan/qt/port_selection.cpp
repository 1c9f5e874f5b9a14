#include "scan/qt/port_selection.h"

#include "scan/qt/port_settings.h"

PortReport OpenPort(PortLink& link, ScanState& scan, int number) {
  PortReport report;
  if (IsComPort(number)) {
    report = link.Open(number, PortDevice(number));
  } else {
    link.Close();
    report.number = number;
  }
  scan.port = link.IsOpen() ? &link : nullptr;
  return report;
}

PortReport OpenDevice(PortLink& link, ScanState& scan, const RunDevice& device) {
  const PortReport report = link.Open(device.number, device.path);
  scan.port = link.IsOpen() ? &link : nullptr;
  return report;
}

PortReport OpenStoredPort(PortLink& link, ScanState& scan) { return OpenPort(link, scan, StoredPortNumber()); }
