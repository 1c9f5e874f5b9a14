#pragma once
// The scan's service with the real serial link on its worker thread, its
// "Com 1" mapped to the emulated head.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/head_sim.h"

inline constexpr int kPanModule = 0xD2;
inline constexpr int kTiltModule = 0xD0;

// The readings of one step at pan position pan and tilt offset 0 with the
// full range: module 0xD2 (right column) first, each module's pixel
// registers 2..9 in ascending order.
inline std::vector<Reading> FirstSweepStep(int pan) {
  std::vector<Reading> step;
  for (int column : {pan + 31, pan}) {
    for (int reg = 2; reg <= 9; ++reg) step.push_back(SceneReading(column, 4 * (reg - 2)));
  }
  return step;
}

class ServiceOnHead : public ::testing::Test {
 protected:
  void TearDown() override {
    // A held step goes on; the scan's clock then holds the last share of
    // the gate, so that it goes together with the scan's thread.
    gate->Open();
    gate.reset();
    service.reset();
    ClearSettings();
  }

  // Starts the head with the given fault options and a service on it; the
  // service's waits are real with realWaits, else it runs through the gate.
  void Begin(const QStringList& faults = {}, bool realWaits = false) {
    ASSERT_TRUE(head.Start(faults));
    UseOnlyPort(1, head.Link());
    service = std::make_unique<ScanService>(ScanService::LinkFactory{},
                                            realWaits ? ScanService::ClockFactory{} : GatedClocks(gate));
    readings = std::make_unique<QSignalSpy>(service.get(), &ScanService::readingStored);
    scanning = std::make_unique<QSignalSpy>(service.get(), &ScanService::scanningChanged);
    ambient = std::make_unique<QSignalSpy>(service.get(), &ScanService::ambientChanged);
    startEnabled = std::make_unique<QSignalSpy>(service.get(), &ScanService::startEnabledChanged);
    status = std::make_unique<QSignalSpy>(service.get(), &ScanService::statusMessage);
  }

  // Start-up has ended once "Reset" has enabled "Start" again and the last
  // ambient reading has arrived.
  void StartUp(int timeoutMs = 10000) {
    service->StartUp();
    ASSERT_TRUE(WaitFor([&] { return startEnabled->size() == 2 && ambient->size() == 2; }, timeoutMs));
  }

  QStringList StatusTexts() const {
    QStringList texts;
    for (const QList<QVariant>& signal : *status) texts << signal.at(0).toString();
    return texts;
  }
  QString OpenedText() const { return QStringLiteral("Com 1 (%1) geöffnet").arg(head.Link()); }

  HeadSim head;
  std::shared_ptr<StepGate> gate = std::make_shared<StepGate>();
  std::unique_ptr<ScanService> service;
  std::unique_ptr<QSignalSpy> readings, scanning, ambient, startEnabled, status;
};
