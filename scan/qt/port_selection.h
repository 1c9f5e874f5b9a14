#pragma once
#include "scan/qt/port_link.h"
#include "scan/scan_controller.h"

// Choosing the port of the scan. The scan's port is the link while it is
// open and none otherwise, so that reads without a port give substitutes at
// once.

// Opens "Com number" (1..8) on its device; any other number leaves no port.
PortReport OpenPort(PortLink& link, ScanController& scan, int number);

// Opens the port stored as "COMPORT" (start-up); the report carries the
// stored number.
PortReport OpenStoredPort(PortLink& link, ScanController& scan);

// A device opened for one run instead of the stored port, by its path: one
// given on the command line (kNoPortNumber) or the emulated head of a
// demonstration (kEmulatedHeadNumber). Without a path, the stored port.
struct RunDevice {
  QString path;
  int number = kNoPortNumber;
};

// Opens a device given for the run, as no "Com" port.
PortReport OpenDevice(PortLink& link, ScanController& scan, const RunDevice& device);
