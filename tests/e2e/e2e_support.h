#pragma once
// What the end-to-end tests share: a "Com" slot mapped to the emulated head
// and a clock that lets the scan go at the pace of the line.
#include <QSettings>
#include <QString>
#include <memory>
#include <ostream>

#include "scan/clock.h"
#include "scan/qt/scan_service.h"

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline constexpr auto kOrganisation = "Vom lokalen Anwendungs-Assistenten generierte Anwendungen";
inline constexpr auto kApplication = "Torvak";

// The settings store then holds only "COMn" = device and "COMPORT" = number.
inline void UseOnlyPort(int number, const QString& device) {
  QSettings store(kOrganisation, kApplication);
  store.clear();
  store.setValue(QStringLiteral("SETTINGS/COM%1").arg(number), device);
  store.setValue(QStringLiteral("SETTINGS/COMPORT"), number);
  store.sync();
}

inline QString OpenedText(const QString& device) { return QStringLiteral("Com 1 (%1) geöffnet").arg(device); }

// No waits: each step takes as long as its exchanges on the line.
class NoWaitClock : public Clock {
 public:
  void Wait(int) override {}
  void YieldOnce() override {}
};
inline std::unique_ptr<Clock> MakeNoWaitClock() { return std::make_unique<NoWaitClock>(); }
