// The large picture's cost at 1920 x 1080 with a full grid, smoothed: a
// reading stored and "Großbild" repainted (composed anew), and a new colour
// span, an isotherm or the difference. Part of torvak_bench_qt (its main is in qt_ui_latency_bench.cpp).
#include <QAbstractButton>
#include <QTest>
#include <benchmark/benchmark.h>

#include "ui/large_picture_window.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

namespace {

// A full grid of readings (from `lowest`, `spread` degrees), smoothed, the
// window shown and "Großbild" at 1920 x 1080; nothing when they could not be shown.
LargePictureWindow* ShowFullGridLarge(CTorvakDlg& window, int lowest, int spread) {
  for (int i = 0; i < kGridColumns * kGridRows; ++i)
    window.Model().StoreReading(CellReading{i / kGridRows, i % kGridRows, lowest + i % spread});
  window.ControlAs<QAbstractButton>(ctl::kSmoothed)->click();
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return nullptr;
  LargePictureWindow& large = window.ShowLargePicture();
  large.showNormal();
  large.resize(1920, 1080);
  return QTest::qWaitForWindowExposed(&large) ? &large : nullptr;
}

void BM_LargePictureRepaint1920x1080(benchmark::State& state) {
  CTorvakDlg window;
  LargePictureWindow* large = ShowFullGridLarge(window, 10, 150);
  if (large == nullptr) return state.SkipWithError("the window was not shown");
  for (int i = 0; auto _ : state) {
    window.Model().StoreReading(CellReading{i % kGridColumns, 0, 10 + i % 150});
    ++i;
    large->repaint();
  }
}
BENCHMARK(BM_LargePictureRepaint1920x1080)->Unit(benchmark::kMillisecond);

// A new colour span, and "Großbild" at 1920 x 1080 and the window's picture area repainted for it.
void BM_ColourSpanChange1920x1080(benchmark::State& state) {
  CTorvakDlg window;
  LargePictureWindow* large = ShowFullGridLarge(window, 15, 15);
  if (large == nullptr) return state.SkipWithError("the window was not shown");
  for (int i = 0; auto _ : state) {
    window.Model().SetSpanMode(PictureModel::SpanMode::Fixed, ++i % 2 == 0 ? ColourSpan{18, 26} : ColourSpan{15, 30});
    large->repaint();
    window.repaint(ToRect(window.Layout().pictureArea));
  }
}
BENCHMARK(BM_ColourSpanChange1920x1080)->Unit(benchmark::kMillisecond);

// An isotherm set and taken away (argument 0), or the difference to a reference shown and ended (1),
// each time repainted: the window's picture area alone (second argument 0), and "Großbild" at
// 1920 x 1080 as well (1). One iteration is both changes, so it bounds either.
void BM_IsothermOrDifferenceOnAndOff(benchmark::State& state) {
  CTorvakDlg window;
  LargePictureWindow* large = ShowFullGridLarge(window, 15, 15);
  if (large == nullptr) return state.SkipWithError("the window was not shown");
  if (state.range(1) == 0) large->hide();
  PictureModel& model = window.Model();
  model.RememberReference();
  for (int row = 0; row < kGridRows; ++row) model.StoreReading(CellReading{20, row, 18});
  const auto repaint = [&] {
    if (large->isVisible()) large->repaint();
    window.repaint(ToRect(window.Layout().pictureArea));
  };
  for (auto _ : state) {
    if (state.range(0) == 0) {
      model.SetIsotherm(Isotherm{IsothermKind::Band, 20, 22});
      repaint();
      model.SetIsotherm(std::nullopt);
    } else {
      model.ShowDifference();
      repaint();
      model.HideDifference();
    }
    repaint();
  }
}
BENCHMARK(BM_IsothermOrDifferenceOnAndOff)->ArgsProduct({{0, 1}, {0, 1}})->Unit(benchmark::kMillisecond);

}  // namespace
