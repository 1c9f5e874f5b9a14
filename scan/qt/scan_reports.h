#pragma once
#include <QObject>
#include <QtGlobal>

#include "image/cell_reading.h"
#include "image/scan_range.h"
#include "scan/port_report.h"

Q_DECLARE_METATYPE(CellReading)
Q_DECLARE_METATYPE(PortReport)
Q_DECLARE_METATYPE(StepTrouble)

// What the scan reports, as plain values. The worker emits them on its
// thread; the service, which has the same signals, hands each one on to the
// window's thread in the order emitted. Views connect to the service.
class ScanReports : public QObject {
  Q_OBJECT
 public:
  using QObject::QObject;

 signals:
  // Every register read of a cell, stamped when its answer arrived.
  void readingStored(CellReading reading);
  // The spot measurement's cells outside the scan range: bit n - 1 set for
  // cell n (a plain value, handed between threads by copy).
  void spotRefused(quint32 outside);
  void scanRangeChanged(ScanRange range);
  void ambientChanged(int celsius);
  // The port the scan opened or tried to open: the stored one at start-up,
  // then each one picked.
  void portChosen(int number);
  // What became of that port, and later its loss.
  void portReported(PortReport report);
  // After each step that read on an open port: what it found wrong, if anything.
  void stepChecked(StepTrouble trouble);
  void scanningChanged(bool scanning);
  void spotRunningChanged(bool running);
  void repaintRequested();
  void edgeAnswered(RangeEdge edge, int value, bool accepted);
};
