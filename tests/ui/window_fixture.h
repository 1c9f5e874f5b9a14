#pragma once
// A main window whose scan runs on the shared fake adapter with a clock that
// does not wait, and helpers to click, to wait and to find what was sent.
#include <QAbstractButton>
#include <QApplication>
#include <QPaintEvent>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

#include "scan/qt/port_settings.h"
#include "tests/scan/scan_fakes.h"
#include "tests/support/fake_port_link.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

// Readable failures for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline bool WaitFor(const std::function<bool()>& condition) { return QTest::qWaitFor(condition, 15000); }

// Runs fn with the next modal dialog of type T once it is shown; fn must close it.
template <class T>
void WithNextModal(std::function<void(T&)> fn) {
  QTimer::singleShot(0, [fn = std::move(fn)] {
    T* modal = nullptr;
    WaitFor([&] { return (modal = qobject_cast<T*>(QApplication::activeModalWidget())) != nullptr; });
    if (modal != nullptr) fn(*modal);
  });
}

// Counts the window's paints that reach the picture area.
class PicturePaints : public QObject {
 public:
  explicit PicturePaints(CTorvakDlg& window) : picture(ToRect(window.Layout().pictureArea)) {
    window.installEventFilter(this);
  }
  const QRect picture;
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    count += event->type() == QEvent::Paint && static_cast<QPaintEvent*>(event)->region().intersects(picture);
    return false;
  }
};

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { StorePortNumber(3); }
  void TearDown() override {
    adapter_->Release();  // a held worker must not hold up the window's end
    window_.reset();
  }

  // Opens the window and waits until the scan's start-up has enabled "Start".
  CTorvakDlg& Open() {
    window_ = std::make_unique<CTorvakDlg>(LinkTo(adapter_),
                                           [] { return std::make_unique<scan_fakes::VirtualClock>(); });
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    EXPECT_TRUE(WaitFor([&] { return Control(ctl::kStart)->isEnabled(); }));
    return *window_;
  }

  QWidget* Control(int id) const { return window_->Control(id); }
  QAbstractButton* Button(int id) const { return window_->ControlAs<QAbstractButton>(id); }
  void Click(int id) { Button(id)->click(); }
  ThermalImage& Image() const { return window_->Image(); }
  DisplayData& Display() const { return window_->DisplayRecord(); }
  // Composes and paints the picture at once.
  void PaintPicture() { window_->repaint(ToRect(window_->Layout().pictureArea)); }

  // Whether frame is sent at or after byte `from` before the wait ends.
  bool WaitForFrame(const Bytes& frame, std::size_t from) {
    return WaitFor([&] {
      const Bytes sent = adapter_->Sent();
      return std::search(sent.begin() + static_cast<std::ptrdiff_t>(from), sent.end(), frame.begin(),
                         frame.end()) != sent.end();
    });
  }
  // Starts a scan and waits until the worker is held in the exchange that sends frame.
  void StartAndHoldAfter(const Bytes& frame) {
    adapter_->HoldAfter(frame);
    Click(ctl::kStart);
    ASSERT_TRUE(WaitFor([&] { return adapter_->Holding(); }));
  }

  std::shared_ptr<FakeAdapter> adapter_ = std::make_shared<FakeAdapter>();
  std::unique_ptr<CTorvakDlg> window_;
};
