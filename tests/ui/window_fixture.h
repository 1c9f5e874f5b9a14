#pragma once
// A main window on the fake adapter, with helpers to click and to wait.
#include <QApplication>

#include <QAbstractButton>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <ostream>
#include <memory>

#include "scan/qt/port_settings.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"
#include "window_fakes.h"

// Readable failures for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

inline constexpr int kWaitMs = 15000;
inline constexpr int kPixelAnswer = 42;  // the fake adapter's answer to pixel reads

inline bool WaitFor(const std::function<bool()>& condition, int timeoutMs = kWaitMs) {
  return QTest::qWaitFor(condition, timeoutMs);
}

// Where frame first appears in bytes at or after from; bytes.size() if nowhere.
// Runs fn with the next modal widget of type T, once it is shown. fn must close it.
template <class T>
void WithNextModal(std::function<void(T&)> fn) {
  QTimer::singleShot(0, [fn = std::move(fn)] {
    T* modal = nullptr;
    WaitFor([&] {
      modal = qobject_cast<T*>(QApplication::activeModalWidget());
      return modal != nullptr;
    });
    if (modal != nullptr) fn(*modal);
  });
}

inline std::size_t Find(const Bytes& bytes, const Bytes& frame, std::size_t from = 0) {
  if (from > bytes.size()) return bytes.size();
  const auto it =
      std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(), frame.begin(), frame.end());
  return static_cast<std::size_t>(it - bytes.begin());
}

inline int Count(const Bytes& bytes, const Bytes& frame) {
  int count = 0;
  for (std::size_t at = Find(bytes, frame); at < bytes.size(); at = Find(bytes, frame, at + 1)) ++count;
  return count;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    StorePortNumber(3);
    adapter_->Set([](FakeAdapter::Knobs& knobs) { knobs.ambientAnswers = {21, 22, 23}; });
  }
  void TearDown() override {
    adapter_->Release();  // a held worker must not hold up the window's end
    window_.reset();
  }

  // Opens the window and waits until the scan's start-up has been shown:
  // the last ambient answer (23) in its field and "Start" enabled.
  CTorvakDlg& Open() {
    OpenWithoutWaiting();
    EXPECT_TRUE(WaitFor(
        [&] { return Field(ctl::kAmbientField) == kLastAmbient && Control(ctl::kStart)->isEnabled(); }));
    return *window_;
  }
  CTorvakDlg& OpenWithoutWaiting() {
    window_ = std::make_unique<CTorvakDlg>(LinkTo(adapter_), NoWaits());
    window_->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    return *window_;
  }
  static inline const QString kLastAmbient = QStringLiteral("23 \u00b0 C");

  QWidget* Control(int id) const { return window_->Control(id); }
  QAbstractButton* Button(int id) const { return window_->ControlAs<QAbstractButton>(id); }
  QString Field(int id) const { return window_->ControlAs<QLineEdit>(id)->text(); }

  void Click(int id) { QTest::mouseClick(Button(id), Qt::LeftButton); }
  void SelectTab(int page) {
    QTabBar* bar = window_->ControlAs<QTabWidget>(ctl::kPanelTabs)->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
  }
  // Shown as far as the window is concerned (the window itself is shown).
  bool Shown(int id) const { return Control(id)->isVisibleTo(window_.get()); }

  Bytes Sent() const { return adapter_->Sent(); }
  static constexpr std::size_t kNotSent = SIZE_MAX;
  // Waits until frame has been sent at or after from; returns where, or kNotSent.
  std::size_t WaitForFrame(const Bytes& frame, std::size_t from = 0) {
    std::size_t at = kNotSent;
    WaitFor([&] {
      const Bytes sent = Sent();
      const std::size_t found = Find(sent, frame, from);
      if (found < sent.size()) at = found;
      return at != kNotSent;
    });
    return at;
  }

  std::shared_ptr<FakeAdapter> adapter_ = std::make_shared<FakeAdapter>();
  std::unique_ptr<CTorvakDlg> window_;
};
