#include "scan/qt/port_selection.h"

#include "scan/qt/port_settings.h"

PortReport OpenPort(PortLink& link, ScanController& scan, int number) {
  PortReport report;
  if (IsComPort(number)) {
    report = link.Open(number, PortDevice(number));
  } else {
    link.Close();
    report.number = number;
  }
  scan.SetPort(link.IsOpen() ? &link : nullptr);
  return report;
}

PortReport OpenDevice(PortLink& link, ScanController& scan, const RunDevice& device) {
  const PortReport report = link.Open(device.number, device.path);
  scan.SetPort(link.IsOpen() ? &link : nullptr);
  return report;
}

PortReport OpenStoredPort(PortLink& link, ScanController& scan) { return OpenPort(link, scan, StoredPortNumber()); }
