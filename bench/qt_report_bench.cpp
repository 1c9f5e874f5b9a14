// The lesson report written as PDF with every section full: a smoothed full
// grid, four points with an hour's course each at 100 readings a second, a
// kept cooling fit, four areas and a line with its twelve earlier profiles.
// Part of torvak_bench_qt (its main is in qt_ui_latency_bench.cpp).
#include <QDateTime>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cmath>

#include "ui/picture_model.h"
#include "ui/report.h"

namespace {

constexpr int kHourOfReadings = 360000;

void FillModel(PictureModel& model, double& now) {
  for (int i = 0; i < 4; ++i) model.AddPoint({5 + 10 * i, 10});
  for (int i = 0; i < 4; ++i) model.AddArea({{5 + 10 * i, 20}, {9 + 10 * i, 24}});
  model.SetLine({0, 16}, {61, 16});
  model.SetDisplayMode(DisplayMode::Smoothed);
  for (int pass = 0; pass <= 12; ++pass) {
    now += PictureModel::kProfileKeepSeconds;
    for (int i = 0; i < kGridColumns * kGridRows; ++i)
      model.StoreReading({i / kGridRows, i % kGridRows, 15 + (i + pass) % 20, false, false, now, 0});
  }
  TrendRecorder& recorder = model.Recorder();
  recorder.Restart();
  for (int i = 0; i < kHourOfReadings; ++i) {
    for (int p = 0; p < 4; ++p) {
      const MeasuringPoint& point = recorder.Points()[p];
      const int celsius = 20 + static_cast<int>(std::lround(60 * std::exp(-i / 100000.0))) + p;
      recorder.Record({point.column, point.row, celsius, false, false, now + i * 0.01, static_cast<std::uint64_t>(i)});
    }
  }
  recorder.KeepFit(TrendRecorder::KeptFit{0, {.tau = 1000.0, .startCelsius = 80.0, .ambientCelsius = 20.0}, {0.0, 3600.0}});
}

void BM_ReportWrittenAsPdf(benchmark::State& state) {
  double now = 0.0;
  PictureModel model([&now] { return now; });
  FillModel(model, now);
  QTemporaryDir folder;
  const QString path = folder.filePath(QStringLiteral("bericht.pdf"));
  for (auto _ : state) {
    if (const std::optional<QString> problem = SaveReport(path, model, QDateTime::currentDateTime())) {
      return state.SkipWithError(problem->toStdString().c_str());
    }
  }
}
BENCHMARK(BM_ReportWrittenAsPdf)->Unit(benchmark::kMillisecond);

}  // namespace
