#pragma once
#include "scan/qt/port_link.h"
#include "scan/scan_controller.h"

// Choosing the port of the scan. The scan's port is the link while it is
// open and none otherwise, so that reads without a port give substitutes at
// once.

// Opens "Com number" (1..8) on its device; any other number leaves no port.
// The result says, in plain German, what happened.
PortLink::OpenResult OpenPort(PortLink& link, ScanState& scan, int number);

struct StoredPortChoice {
  int number = 0;  // the stored "COMPORT", low 8 bits
  PortLink::OpenResult result;
};
// Opens the port stored as "COMPORT" (start-up).
StoredPortChoice OpenPortFromSettings(PortLink& link, ScanState& scan);
