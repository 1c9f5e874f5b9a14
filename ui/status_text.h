#pragma once
#include <QString>

#include "scan/port_report.h"

// The status line's sentences for what became of the port and what the last
// scan step found wrong, in the language of the interface.
QString StatusText(const PortReport& report);
// kNone has no sentence of its own: the port's sentence stands.
QString StatusText(StepTrouble trouble);
// While a spot measurement runs: that it does, on the port's sentence.
QString SpotStatusText(const QString& portMessage);
