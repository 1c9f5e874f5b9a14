// The plot window's wiring: lines from the recorder, "Neu beginnen", saving and fitting.
#include "window_fixture.h"  // Qt, GoogleTest and WithNextModal

#include <QtCharts>
#include <cmath>

#include "trend/trend_csv.h"
#include "ui/marker_colours.h"
#include "ui/picture_model.h"
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
  QChart& Chart() { return *window.findChild<QChartView*>()->chart(); }
  void Show() {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  }
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
  const auto labels = window.findChildren<QLabel*>();
  EXPECT_TRUE(std::ranges::any_of(labels, [](QLabel* label) {
    return label->text() == QStringLiteral("Punkt 1: 40/min · Punkt 2: 20/min");  // in the 3 s since the start
  }));
  WithNextModal<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Discard)->click(); });
  Button("Neu beginnen")->click();  // asks: the readings are not saved
  EXPECT_TRUE(Line(1).isEmpty() && Line(2).isEmpty());
}

// The recorder's wall clock stands still here, as it may between two clicks: a new beginning
// must be seen all the same, by the lines and by a fit still running.
TEST_F(TrendWindowTest, ANewBeginningWithinOneClockTickRenewsTheLinesAndDropsARunningFit) {
  recorder.AddPoint({1, 0}), Record(1, {30, 31});
  window.Refresh();
  recorder.ClearPoints(), recorder.AddPoint({1, 0});
  Record(1, {50, 51});
  window.Refresh();
  EXPECT_EQ(Line(1), (QList<QPointF>{{1, 50}, {2, 51}}));

  recorder.MarkSaved();  // no question, whose event loop would let the fit's result in first
  Button("Abk\u00fchlung anpassen")->click();
  Button("Neu beginnen")->click();
  EXPECT_TRUE(WaitFor([&] { return Button("Abk\u00fchlung anpassen")->isEnabled(); }));
  EXPECT_TRUE(FitText().isEmpty()) << FitText().toStdString();
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
  auto* saved = window.findChild<QLabel*>(QStringLiteral("saved"));
  ASSERT_NE(saved, nullptr);
  EXPECT_TRUE(saved->text().contains(QDir::toNativeSeparators(path))) << saved->text().toStdString();
  EXPECT_FALSE(recorder.HasUnsavedReadings());
  path = dir.filePath("fehlt/verlauf.csv");
  QString warning;
  WithNextModal<QMessageBox>([&](QMessageBox& box) { warning = box.text(), box.accept(); });
  Button("Speichern\u2026")->click();
  EXPECT_TRUE(warning.contains(path));
  EXPECT_FALSE(QFileInfo::exists(path));
  EXPECT_TRUE(saved->text().isEmpty());

  // More lines than a spreadsheet opens: averages over the interval chosen.
  for (std::size_t i = 0; i < kSpreadsheetLines; ++i) Record(1, {30 + static_cast<int>(i % 4)});
  path = dir.filePath("mittel.csv");
  WithNextModal<QDialog>([](QDialog& dialog) {
    auto& ask = static_cast<QInputDialog&>(dialog);
    ask.setTextValue(ask.comboBoxItems().at(1));
    ask.accept();
  });
  Button("Speichern…")->click();
  QFile averaged(path);
  ASSERT_TRUE(averaged.open(QIODevice::ReadOnly));
  EXPECT_EQ(averaged.readAll().toStdString(), TrendCsvAveraged(recorder, 10));
}

TEST_F(TrendWindowTest, AbkuehlungAnpassenShowsTauOrWhyNot) {
  recorder.AddPoint({1, 0}), Record(1, {80, 70});
  window.Refresh();
  Button("Abk\u00fchlung anpassen")->click();  // fitted off the window's thread
  const QString tooFew = FitProblemText(FitProblem::kTooFewSamples);
  EXPECT_TRUE(WaitFor([&] { return FitText() == tooFew; })) << FitText().toStdString();
  // Four time constants of a course levelling out at 25 degrees while the head reads 20.
  for (int i = 0; i < 30; ++i) Record(1, {static_cast<int>(std::lround(25 + 55 * std::exp(-now / 8)))});
  const auto fit = [&] {
    Button("Abk\u00fchlung anpassen")->click();
    EXPECT_TRUE(WaitFor([&] { return FitText().startsWith(QStringLiteral("\u03c4 = ")); })) << FitText().toStdString();
  };
  fit();
  ASSERT_TRUE(recorder.LastFit()) << "kept for the report";
  EXPECT_TRUE(FitText().startsWith(::FitText(recorder.LastFit()->fit)));
  EXPECT_TRUE(FitText().contains(QStringLiteral("(angepasst)")));
  EXPECT_TRUE(FitText().contains(QStringLiteral("\nDer Sensor am Messkopf zeigt 20,0"))) << FitText().toStdString();
  window.findChild<QCheckBox*>()->setChecked(false);
  fit();
  EXPECT_TRUE(FitText().contains(QStringLiteral("(gemessen)")));
}

// The result line has its room from the start, so the buttons do not move when it fills (here
// with two lines of why there is no fit); the fit button stays disabled until the result has
// come, also when the points change meanwhile.
TEST_F(TrendWindowTest, FitButtonStaysPutAndDisabledUntilTheResultHasCome) {
  recorder.AddPoint({1, 0}), Record(1, {80, 70});
  Show();
  QAbstractButton* fit = Button("Abk\u00fchlung anpassen");
  const QPoint before = fit->mapTo(&window, QPoint());
  fit->click();
  recorder.AddPoint({2, 0});
  window.Refresh();
  EXPECT_FALSE(fit->isEnabled());
  const QString tooFew = FitProblemText(FitProblem::kTooFewSamples);
  EXPECT_TRUE(WaitFor([&] { return FitText() == tooFew; })) << FitText().toStdString();
  EXPECT_TRUE(fit->isEnabled());
  window.layout()->activate();
  EXPECT_EQ(fit->mapTo(&window, QPoint()), before);
}

// A lone reading shows as a dot of its point's colour in the plot; the fitted curve is drawn
// unlike every point's line.
TEST_F(TrendWindowTest, ALoneReadingIsDrawnAndTheFittedCurveStandsApartFromTheLines) {
  Show();
  recorder.AddPoint({1, 0}), Record(1, {30});
  window.Refresh();
  const QImage image = window.findChild<QChartView*>()->grab().toImage();
  const QRect plot = Chart().plotArea().toRect();
  int dot = 0;
  for (int y = plot.top(); y <= plot.bottom(); ++y)
    for (int x = plot.left(); x <= plot.right(); ++x) dot += image.pixelColor(x, y) == MarkerColour(0);
  EXPECT_GT(dot, 4);

  const QPen line = static_cast<QXYSeries*>(Chart().series().front())->pen();
  const QPen curve = static_cast<QXYSeries*>(Chart().series().back())->pen();
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NE(curve.color(), MarkerColour(i));
  EXPECT_EQ(curve.style(), Qt::DashLine);
  EXPECT_GT(curve.widthF(), line.widthF());
}

// An area's means get a line of their own in the area's colour, a choice for the fit and a
// rate; a correction names its emissivity in the caption and redraws the line corrected.
TEST_F(TrendWindowTest, AnAreasMeansHaveTheirOwnLineCorrectedWhenTheCorrectionChanges) {
  recorder.AddPoint({1, 0});
  recorder.AddArea({{5, 0}, {5, 0}});
  Record(5, {30});
  window.Refresh();
  QLineSeries* area = nullptr;
  for (auto* series : Chart().series())
    if (series->name() == QStringLiteral("Messfeld 1 (Spalte 5–5, Zeile 0–0)")) area = static_cast<QLineSeries*>(series);
  ASSERT_TRUE(area);
  EXPECT_EQ(area->points(), (QList<QPointF>{{1, 30}}));
  EXPECT_EQ(area->pen().color(), AreaColour(0));
  EXPECT_EQ(window.findChild<QComboBox*>()->itemText(1), QStringLiteral("Messfeld 1"));
  EXPECT_EQ(window.findChild<QLabel*>(QStringLiteral("rate"))->text(), QStringLiteral("Punkt 1: 0/min · Messfeld 1: 60/min"));
  recorder.SetCorrection(1, {0.95, 20.0});
  window.Refresh();
  EXPECT_EQ(area->name(), QStringLiteral("Messfeld 1 (Spalte 5–5, Zeile 0–0) ") + EmissivityText(0.95));
  EXPECT_NEAR(area->points().value(0).y(), *Corrected(30.0, {0.95, 20.0}), 1e-9);
}

// Four points at two-digit cells: every caption of the legend shows whole.
TEST_F(TrendWindowTest, FourPointsHaveTheirLegendCaptionsWhole) {
  for (int i = 0; i < 4; ++i) recorder.AddPoint({58 + i, 28 + i});
  Show();
  window.Refresh();
  QStringList shown;
  QList<QGraphicsItem*> items = Chart().legend()->childItems();
  while (!items.isEmpty()) {
    QGraphicsItem* item = items.takeLast();
    items += item->childItems();
    if (auto* text = dynamic_cast<QGraphicsTextItem*>(item)) shown << text->toPlainText();
  }
  int captions = 0;
  for (const QAbstractSeries* series : Chart().series()) captions += shown.contains(series->name()) && !series->name().isEmpty();
  EXPECT_EQ(captions, 4) << shown.join('|').toStdString();
}

TEST(FitProblemText, IsEmptyWithoutAProblemAndAPlainSentenceWithOne) {
  EXPECT_EQ(FitProblemText(FitProblem::kNone), QString());
  EXPECT_EQ(FitProblemText(FitProblem::kConstant),
            QStringLiteral("Die Messwerte sind konstant \u2013 keine Abk\u00fchlung oder Erw\u00e4rmung zu erkennen."));
}

// Held at 80 for ten seconds, then falling: a drag over the fall fits it alone, and a click
// without dragging fits the whole course again; a new beginning takes the band away.
TEST_F(TrendWindowTest, ADraggedSpanIsWhatTheFitUsesUntilAClick) {
  recorder.AddPoint({1, 0}), Record(1, {80, 80, 80, 80, 80, 80, 80, 80, 80, 80});
  for (int i = 0; i < 30; ++i) Record(1, {static_cast<int>(std::lround(25 + 55 * std::exp(-(now - 10) / 8)))});
  recorder.MarkSaved();
  Show();
  window.Refresh();
  QChartView& view = *window.findChild<QChartView*>();
  const auto pixel = [&](double seconds) {
    return view.mapFromScene(Chart().mapToScene(Chart().mapToPosition({seconds, 50.0}, Chart().series().back())));
  };
  const auto fittedFromTo = [&] {
    Button("Abk\u00fchlung anpassen")->click();
    EXPECT_TRUE(WaitFor([&] { return FitText().startsWith(QStringLiteral("\u03c4 = ")); })) << FitText().toStdString();
    const QList<QPointF> curve = static_cast<QXYSeries*>(Chart().series().back())->points();
    return curve.isEmpty() ? std::pair(-1.0, -1.0) : std::pair(curve.front().x(), curve.back().x());
  };
  EXPECT_EQ(fittedFromTo(), std::pair(1.0, 40.0));

  QTest::mousePress(view.viewport(), Qt::LeftButton, {}, pixel(10.5));
  QTest::mouseMove(view.viewport(), pixel(20.0));
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, pixel(30.5));
  const auto band = [&] {  // the plot's one translucent rectangle
    for (QGraphicsItem* item : Chart().childItems())
      if (auto* rect = dynamic_cast<QGraphicsRectItem*>(item); rect && rect->isVisible() && rect->brush().color().alpha() < 255)
        return rect->rect();
    return QRectF();
  };
  EXPECT_NEAR(band().left(), pixel(10.5).x(), 1.0);
  EXPECT_NEAR(band().right(), pixel(30.5).x(), 1.0);
  EXPECT_EQ(fittedFromTo(), std::pair(11.0, 30.0));

  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, pixel(20.0));
  EXPECT_TRUE(band().isNull());
  EXPECT_EQ(fittedFromTo(), std::pair(1.0, 40.0));

  QTest::mousePress(view.viewport(), Qt::LeftButton, {}, pixel(10.5));
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, pixel(30.5));
  Button("Neu beginnen")->click();
  EXPECT_TRUE(band().isNull());
}

// Off at first; once ticked, the residuals of the fitted readings show beneath the plot.
TEST_F(TrendWindowTest, ResidualsShowBeneathThePlotWhenTicked) {
  recorder.AddPoint({1, 0});
  for (int i = 0; i < 30; ++i) Record(1, {static_cast<int>(std::lround(25 + 55 * std::exp(-now / 8)))});
  Show();
  auto* residuals = window.findChild<QChartView*>(QStringLiteral("residuals"));
  ASSERT_NE(residuals, nullptr);
  QAbstractButton* show = Button("Residuen zeigen");
  EXPECT_FALSE(show->isChecked() || residuals->isVisible());
  show->click();
  EXPECT_TRUE(residuals->isVisible());
  Button("Abk\u00fchlung anpassen")->click();
  auto* dots = static_cast<QXYSeries*>(residuals->chart()->series().front());
  EXPECT_TRUE(WaitFor([&] { return dots->count() == 30; })) << dots->count();
  show->click();
  EXPECT_FALSE(residuals->isVisible());
}
