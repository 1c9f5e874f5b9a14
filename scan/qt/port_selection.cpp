#include "scan/qt/port_selection.h"

#include "scan/qt/port_settings.h"

PortLink::OpenResult OpenPort(PortLink& link, ScanState& scan, int number) {
  PortLink::OpenResult result;
  if (number >= 1 && number <= 8) {
    result = link.Open(number, PortDevice(number));
  } else {
    link.Close();
    result.message = QStringLiteral("Kein Port gewählt – Ersatzwerte");
  }
  scan.port = link.IsOpen() ? &link : nullptr;
  return result;
}

StoredPortChoice OpenPortFromSettings(PortLink& link, ScanState& scan) {
  StoredPortChoice choice;
  choice.number = StoredPortNumber();
  choice.result = OpenPort(link, scan, choice.number);
  return choice;
}
