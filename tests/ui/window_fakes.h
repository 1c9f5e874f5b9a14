#pragma once
// The window's scan runs on the shared fake adapter, without waits.
#include <memory>

#include "tests/scan/scan_fakes.h"
#include "tests/support/fake_port_link.h"

inline ScanService::ClockFactory NoWaits() {
  return [] { return std::make_unique<scan_fakes::VirtualClock>(); };
}
