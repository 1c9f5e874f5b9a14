#pragma once
// A main window whose scan runs on the shared fake adapter with a clock that
// does not wait, and helpers to click, to catch dialogs and to count paints.
#include <QtTest>
#include <QtWidgets>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "overlay/surface_image.h"
#include "scan/qt/port_settings.h"
#include "tests/support/wait_for.h"
#include "tests/support/scan_fakes.h"
#include "tests/support/fake_port_link.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

// Runs fn with the modal dialog of type T that the next call opens; fn must close it.
// Any other dialog fails the test at once and is closed, so that the call returns.
template <class T>
void WithNextModal(std::function<void(T&)> fn) {
  QTimer::singleShot(0, [fn = std::move(fn)] {
    QWidget* active = QApplication::activeModalWidget();
    if (T* modal = qobject_cast<T*>(active)) return fn(*modal);
    ADD_FAILURE() << "expected a " << T::staticMetaObject.className() << ", the active dialog is "
                  << (active ? active->metaObject()->className() : "none");
    if (auto* dialog = qobject_cast<QDialog*>(active)) dialog->done(QDialog::Rejected);
  });
}

// Answers the file dialog that the next call opens as if the user picked path.
inline void PickInNextFileDialog(const QString& path) {
  WithNextModal<QDialog>([path](QDialog& dialog) {
    qobject_cast<QFileDialog*>(&dialog)->selectFile(path);
    dialog.accept();
  });
}

// As an event filter the fixture counts the window's paints that reach the picture area.
class WindowTest : public QObject, public ::testing::Test {
 protected:
  void SetUp() override { StorePortNumber(3); }
  void TearDown() override { adapter_->Release(), window_.reset(); }  // a held worker would hold up the window's end
  bool eventFilter(QObject*, QEvent* event) override {
    picturePaints_ += event->type() == QEvent::Paint &&
                      static_cast<QPaintEvent*>(event)->region().intersects(ToRect(window_->Layout().pictureArea));
    return false;
  }
  // Opens the window (on device for this run, if given) and waits until the scan's start-up has enabled "Start".
  CTorvakDlg& Open(const RunDevice& device = {}) {
    window_ = std::make_unique<CTorvakDlg>(
        LinkTo(adapter_), [] { return std::make_unique<scan_fakes::VirtualClock>(); }, device);
    window_->installEventFilter(this);
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    EXPECT_TRUE(WaitFor([&] { return window_->Control(ctl::kStart)->isEnabled(); }));
    return *window_;
  }
  // Starts a scan and waits until the worker is held in the exchange that sends frame.
  void StartAndHoldAfter(const Bytes& frame) {
    adapter_->HoldAfter(frame);
    Click(ctl::kStart);
    ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));
  }
  // Whether frame is sent at or after byte `from` before the wait ends.
  bool WaitForFrame(const Bytes& frame, std::ptrdiff_t from = 0) {
    return WaitFor([&] {
      const Bytes sent = adapter_->Sent();
      return std::search(sent.begin() + from, sent.end(), frame.begin(), frame.end()) != sent.end();
    });
  }
  QAbstractButton* Button(int id) const { return window_->ControlAs<QAbstractButton>(id); }
  void Click(int id) { Button(id)->click(); }
  const ThermalImage& Image() const { return window_->Model().Image(); }
  const DisplayData& Display() const { return window_->Model().Display(); }
  // The window's point at the centre of a cell of the picture.
  QPoint AtCell(GridCell cell) const {
    const Area& area = window_->Layout().pictureArea;
    const CellPoint centre = CellCentre(Display(), cell);
    return {area.left + static_cast<int>(centre.x), area.top + static_cast<int>(centre.y)};
  }
  // A reading of a cell as the scan hands it to the picture.
  void Store(int column, int row, int value) { window_->Model().StoreReading(CellReading{column, row, value}); }
  // Composes and paints the picture at once; a copy of what it painted.
  QImage PaintPicture() {
    window_->repaint(ToRect(window_->Layout().pictureArea));
    return SurfaceImage(Display().compositeSurface).copy();
  }

  int picturePaints_ = 0;
  std::shared_ptr<FakeAdapter> adapter_ = std::make_shared<FakeAdapter>();
  std::unique_ptr<CTorvakDlg> window_;
};
