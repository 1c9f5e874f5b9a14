// The large picture's cost: a reading stored and "Großbild" repainted at
// 1920 x 1080 (composed anew) with a full grid, smoothed, over a background. Part of torvak_bench_qt (its main
// is in qt_ui_latency_bench.cpp).
#include <QAbstractButton>
#include <QTest>
#include <benchmark/benchmark.h>

#include "ui/large_picture_window.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

namespace {

void BM_LargePictureRepaint1920x1080(benchmark::State& state) {
  CTorvakDlg window;
  PictureModel& picture = window.Model();
  for (int i = 0; i < kGridColumns * kGridRows; ++i)
    picture.StoreReading(CellReading{i / kGridRows, i % kGridRows, 10 + i % 150});
  window.ControlAs<QAbstractButton>(ctl::kSmoothed)->click();
  LargePictureWindow& large = window.ShowLargePicture();
  large.showNormal();
  large.resize(1920, 1080);
  if (!QTest::qWaitForWindowExposed(&large)) return state.SkipWithError("the window was not shown");
  for (int i = 0; auto _ : state) {
    picture.StoreReading(CellReading{i % kGridColumns, 0, 10 + i % 150});
    ++i;
    large.repaint();
  }
}
BENCHMARK(BM_LargePictureRepaint1920x1080)->Unit(benchmark::kMillisecond);

// A new colour span, and "Großbild" at 1920 x 1080 and the window's picture area repainted for it.
void BM_ColourSpanChange1920x1080(benchmark::State& state) {
  CTorvakDlg window;
  PictureModel& picture = window.Model();
  for (int i = 0; i < kGridColumns * kGridRows; ++i)
    picture.StoreReading(CellReading{i / kGridRows, i % kGridRows, 15 + i % 15});
  window.ControlAs<QAbstractButton>(ctl::kSmoothed)->click();
  LargePictureWindow& large = window.ShowLargePicture();
  large.showNormal();
  large.resize(1920, 1080);
  if (!QTest::qWaitForWindowExposed(&large)) return state.SkipWithError("the window was not shown");
  for (int i = 0; auto _ : state) {
    picture.SetSpanMode(PictureModel::SpanMode::Fixed, ++i % 2 == 0 ? ColourSpan{18, 26} : ColourSpan{15, 30});
    large.repaint();
    window.repaint(ToRect(window.Layout().pictureArea));
  }
}
BENCHMARK(BM_ColourSpanChange1920x1080)->Unit(benchmark::kMillisecond);

}  // namespace
