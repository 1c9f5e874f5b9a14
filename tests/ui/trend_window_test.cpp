// The plot window's wiring: lines from the recorder, "Neu beginnen", saving and fitting.
#include "window_fixture.h"  // Qt, GoogleTest and WithNextModal

#include <QtCharts>
#include <cmath>

#include "trend/trend_csv.h"
#include "ui/trend_window.h"

class TrendWindowTest : public ::testing::Test {
 protected:
  void Record(int column, std::initializer_list<int> readings) {
    for (int celsius : readings) now += 1.0, recorder.Record({column, 0, celsius, false, false, now, ++round});
  }
  QAbstractButton* Button(const QString& text) {
    for (auto* button : window.findChildren<QAbstractButton*>()) if (button->text() == text) return button;
    return nullptr;
  }
  QList<QPointF> Line(int number) {
    for (auto* series : window.findChild<QChartView*>()->chart()->series())
      if (series->name().startsWith(QStringLiteral("Messpunkt %1 (").arg(number)))
        return static_cast<QXYSeries*>(series)->points();
    return {{-1, -1}};
  }
  QString FitText() { return window.findChild<QLabel*>(QStringLiteral("fitResult"))->text(); }
  double now = 0.0;
  std::uint64_t round = 0;
  TrendRecorder recorder{[this] { return now; }, [] { return std::chrono::system_clock::time_point{}; }};
  TrendWindow window{recorder, [] { return std::optional<int>(20); }};
};

TEST_F(TrendWindowTest, LinesFollowTheRecorderUntilNeuBeginnen) {
  recorder.AddPoint({1, 0}), recorder.AddPoint({2, 0});
  Record(1, {30, 31}), Record(2, {40});
  window.Refresh();
  EXPECT_EQ(Line(1), (QList<QPointF>{{1, 30}, {2, 31}}));
  EXPECT_EQ(Line(2), (QList<QPointF>{{3, 40}}));
  Button("Neu beginnen")->click();
  EXPECT_TRUE(Line(1).isEmpty() && Line(2).isEmpty());
}

TEST_F(TrendWindowTest, SpeichernWritesTheCsvOrWarns) {
  recorder.AddPoint({1, 0}), Record(1, {30, 31});
  QTemporaryDir dir;
  QString path = dir.filePath("verlauf.csv");
  window.SetSavePathChooser([&](QWidget*) { return path; });
  Button("Speichern\u2026")->click();
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), TrendCsv(recorder));
  path = dir.filePath("fehlt/verlauf.csv");
  QString warning;
  WithNextModal<QMessageBox>([&](QMessageBox& box) { warning = box.text(), box.accept(); });
  Button("Speichern\u2026")->click();
  EXPECT_TRUE(warning.contains(path));
  EXPECT_FALSE(QFileInfo::exists(path));
}

TEST_F(TrendWindowTest, AbkuehlungAnpassenShowsTauOrWhyNot) {
  recorder.AddPoint({1, 0}), Record(1, {80, 70});
  Button("Abk\u00fchlung anpassen")->click();  // fitted off the window's thread
  const QString tooFew = FitProblemText(FitProblem::kTooFewSamples);
  EXPECT_TRUE(WaitFor([&] { return FitText() == tooFew; })) << FitText().toStdString();
  for (int i = 0; i < 30; ++i) Record(1, {static_cast<int>(std::lround(20 + 60 * std::exp(-now / 8)))});
  Button("Abk\u00fchlung anpassen")->click();
  EXPECT_TRUE(WaitFor([&] { return FitText().startsWith(QStringLiteral("\u03c4 = ")); })) << FitText().toStdString();
  EXPECT_TRUE(FitText().contains(QStringLiteral("(gemessen)")));
}

TEST(FitProblemText, IsEmptyWithoutAProblemAndAPlainSentenceWithOne) {
  EXPECT_EQ(FitProblemText(FitProblem::kNone), QString());
  EXPECT_EQ(FitProblemText(FitProblem::kConstant),
            QStringLiteral("Die Messwerte sind konstant \u2013 keine Abk\u00fchlung oder Erw\u00e4rmung zu erkennen."));
}

// Grown in pieces, as the window sees it, and thinned at once: the same points.
TEST(ThinnedSeries, KeepsAtMostTheBoundInTimeOrderWithTheExtremesAsItGrows) {
  TrendSeries series;
  ThinnedSeries growing(2000);
  for (int i = 0; i < 100000; ++i) {
    series.Append(static_cast<std::uint32_t>(i * 10), i == 54321 ? -5 : i == 99990 ? 200 : i * 7919 % 101, i);
    if (i % 7777 == 1500) growing.Update(series);
  }
  const std::vector<TrendSample> kept = growing.Update(series);
  EXPECT_LE(kept.size(), 2000u);
  EXPECT_TRUE(std::ranges::is_sorted(kept, {}, &TrendSample::seconds));
  for (int extreme : {-5, 200}) EXPECT_TRUE(std::ranges::any_of(kept, [&](auto s) { return s.celsius == extreme; }));
  const std::vector<TrendSample> atOnce = ThinnedSeries(2000).Update(series);
  const auto same = [](TrendSample a, TrendSample b) { return a.seconds == b.seconds && a.celsius == b.celsius; };
  EXPECT_TRUE(std::ranges::equal(kept, atOnce, same));
}
