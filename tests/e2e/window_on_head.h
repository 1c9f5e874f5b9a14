#pragma once
// The main window, offscreen, on the real serial link to the emulated head.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "tests/e2e/e2e_support.h"
#include "tests/e2e/head_sim.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

class WindowOnHead : public ::testing::Test {
 protected:
  void TearDown() override {
    // A held step goes on; the scan's clock then holds the last share of
    // the gate, so that it goes together with the scan's thread.
    gate->Open();
    gate.reset();
    window.reset();
    ClearSettings();
  }

  CTorvakDlg& Open() {
    window = std::make_unique<CTorvakDlg>(ScanService::LinkFactory{}, GatedClocks(gate));
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
  }

  QAbstractButton* Button(int id) const { return window->ControlAs<QAbstractButton>(id); }
  QString Field(int id) const { return window->ControlAs<QLineEdit>(id)->text(); }
  void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
  // Start-up has ended when its "Reset" has enabled "Start".
  bool StartUpDone() const { return Button(ctl::kStart)->isEnabled(); }
  QString OpenedText() const { return QStringLiteral("Com 1 (%1) geöffnet").arg(head.Link()); }

  HeadSim head;
  std::shared_ptr<StepGate> gate = std::make_shared<StepGate>();
  std::unique_ptr<CTorvakDlg> window;
};
