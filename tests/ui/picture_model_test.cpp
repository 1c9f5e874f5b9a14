// The picture model without a window: where the values come from, what a
// change says, and that readouts follow the latest reading.
#include "ui/picture_model.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <algorithm>

#include "image/difference.h"
#include "image/emissivity.h"
#include "image/readout.h"

namespace {

CellReading Reading(int column, int row, int value) { return CellReading{column, row, value}; }

bool SameGrid(const ThermalImage::CellGrid& a, const ThermalImage::CellGrid& b) {
  return std::equal(&a[0][0], &a[0][0] + kGridColumns * kGridRows, &b[0][0]);
}

// Values opened from a file stand in for the scan's: its grid, range, ambient temperature and, for an
// export, its time. The scan's range and ambient temperature meanwhile are kept, not shown; readings of
// a scan still running at the opening are held back until it stops; its next reading then brings back
// the scan's range, ambient temperature and the time of the moment. A refused file changes nothing.
TEST(PictureModel, OpenedValuesStandInForTheScansUntilItsNextReading) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("werte.csv"));
  PictureModel model({});
  for (int i = 0; i < 200; ++i) model.StoreReading(Reading(i % kGridColumns, i * 7 % kGridRows, 20 + i % 120));
  Measurements saved = model.Snapshot();
  std::tie(saved.ambientTemperature, saved.range) = std::tuple(30, ScanRange{2, 40, 1, 30});
  saved.takenAt = QDateTime(QDate(2024, 3, 7), QTime(14, 5, 9));
  ASSERT_FALSE(SaveMeasurements(path, saved));
  model.StoreReading(Reading(0, 0, 99));  // not in the file
  model.AddPoint({1, 7});
  model.StoreReading(CellReading{1, 7, 120, true});  // made up for a missing answer: no value of the point
  EXPECT_EQ(model.PointValue(0), std::nullopt);
  model.SetAmbient(23);
  model.SetScanning(true);
  const ScanRange live{0, 61, 0, 30};

  ASSERT_FALSE(model.OpenMeasurements(path));
  model.SetScanRange(live);
  model.SetAmbient(25);
  model.StoreReading(Reading(1, 1, 77));  // the step in flight when the scan was stopped
  const Measurements shown = model.Snapshot();
  EXPECT_TRUE(SameGrid(shown.grid, saved.grid));
  EXPECT_TRUE(shown.range == saved.range && shown.ambientTemperature == 30 && shown.takenAt == saved.takenAt);
  EXPECT_EQ(model.AmbientText().toStdString(), "30 \u00b0 C");
  EXPECT_EQ(model.PointValue(0), saved.grid[1][7]);  // the file's values were all read

  ASSERT_TRUE(model.OpenMeasurements(dir.filePath(QStringLiteral("fehlt.csv"))));
  EXPECT_TRUE(SameGrid(model.Image().Grid(), saved.grid));

  model.SetScanning(false);
  model.StoreReading(Reading(1, 1, 77));
  const Measurements after = model.Snapshot();
  EXPECT_TRUE(after.range == live && after.ambientTemperature == 25 && after.takenAt != saved.takenAt);
  EXPECT_EQ(after.grid[1][1], 77);
}

// Each change names what it changed; the readout and the composite show the latest reading without a
// paint in between; readings reach the recording of the points set; no ambient reading shows none.
TEST(PictureModel, ChangesNameTheirPartsAndReadoutsFollowTheLatestReading) {
  PictureModel model([] { return 0.0; });
  QSignalSpy changes(&model, &PictureModel::changed);
  const auto last = [&] { return changes.takeLast().at(0).value<PictureModel::Parts>(); };
  const CellPoint centre = model.CellCentre({3, 31});
  const QPoint at(static_cast<int>(centre.x), static_cast<int>(centre.y));
  EXPECT_EQ(model.CellAt(at), (GridCell{3, 31}));

  model.StoreReading(Reading(3, 31, 40));
  EXPECT_EQ(last(), PictureModel::kPicture);
  EXPECT_EQ(model.PictureReadout(at).toStdString(), "40 \u00b0 C");
  const Colour before = model.Composite().Pixel(at.x(), at.y());
  model.StoreReading(Reading(3, 31, 150));
  EXPECT_NE(model.Composite().Pixel(at.x(), at.y()), before);
  EXPECT_EQ(model.PictureReadout(at).toStdString(), "150 \u00b0 C");

  EXPECT_TRUE(model.AddPoint({3, 31}));
  EXPECT_EQ(last(), PictureModel::kPoints);
  EXPECT_FALSE(model.AddPoint({3, 31}));  // set already
  model.StoreReading(CellReading{3, 31, 151, false, false, 1.0, 1});
  EXPECT_EQ(model.Recorder().Series(0).size(), 1u);

  model.SetAmbient(0);
  EXPECT_EQ(last(), PictureModel::kReadouts);
  EXPECT_TRUE(!model.Ambient() && model.AmbientText().isEmpty());
  model.SetLegendSize(30, 300);
  EXPECT_EQ(last(), PictureModel::kScale);
  EXPECT_EQ(model.ScaleReadout(QPoint(15, 4)).toStdString(), "> 160 \u00b0 C");
}

// Automatic: nothing real to follow keeps the standard scale and says so; readings set the span at most
// four times a second, growing only while the scan runs, fitted anew when it stops or is cleared. In a
// fixed span each degree reads as itself, beyond the span "<" and ">"; the choice is kept for the next start.
TEST(PictureModel, TheColourSpanFollowsTheReadingsOrStaysFixedAndIsKept) {
  PictureModel model({});
  const auto span = [&] { return ColourSpan{model.Image().ScaleMin(), model.Image().ScaleMax()}; };
  QSignalSpy changes(&model, &PictureModel::changed);
  const auto followed = [&] { return changes.clear(), changes.wait(1000) ? span() : ColourSpan{-1, -1}; };
  model.SetSpanMode(PictureModel::SpanMode::Automatic);
  EXPECT_TRUE(span() == kStandardSpan && model.SpanText().contains(QStringLiteral("noch kein Messwert")));
  model.SetScanning(true);
  model.StoreReading(CellReading{0, 0, 120, true});  // a substitute
  model.StoreReading(Reading(5, 5, 21));
  EXPECT_EQ(followed(), (ColourSpan{19, 24}));
  model.StoreReading(Reading(5, 5, 30));
  EXPECT_EQ(followed(), (ColourSpan{19, 33}));  // 30 alone spans 28..33
  model.SetScanning(false);
  EXPECT_EQ(span(), (ColourSpan{28, 33}));
  EXPECT_EQ(model.SpanText().toStdString(), "Farbbereich automatisch 28–33 °C");
  model.Clear();  // "Löschen": nothing left to follow
  EXPECT_TRUE(span() == kStandardSpan && model.SpanText().contains(QStringLiteral("noch kein Messwert")));

  model.SetSpanMode(PictureModel::SpanMode::Fixed, {18, 26});
  const CellPoint centre = model.CellCentre({5, 5});
  const QPoint at(static_cast<int>(centre.x), static_cast<int>(centre.y));
  for (int degrees = 17; degrees <= 27; ++degrees) {
    model.StoreReading(Reading(5, 5, degrees));
    const QString expected = degrees < 18   ? QStringLiteral("< 18 \u00b0 C")
                             : degrees > 26 ? QStringLiteral("> 26 \u00b0 C")
                                            : QString::fromStdString(DegreesText(degrees));
    EXPECT_EQ(model.PictureReadout(at), expected) << degrees;
  }
  EXPECT_EQ(PictureModel({}).SpanText(), model.SpanText());
  model.SetSpanMode(PictureModel::SpanMode::Automatic);  // fitted to the readings, not grown from the fixed span
  EXPECT_EQ(span(), (ColourSpan{25, 30}));
  model.SetSpanMode(PictureModel::SpanMode::Standard);
  EXPECT_TRUE(span() == kStandardSpan && PictureModel({}).SpanText().isEmpty());
}

QPoint CentreOf(const PictureModel& model, GridCell cell) {
  const CellPoint centre = model.CellCentre(cell);
  return {static_cast<int>(centre.x), static_cast<int>(centre.y)};
}

// Nothing to compare without a reference or a real reading; each cell then shows its reading minus the
// reference's in kelvin (a cell made up or missing on either side none), the scale reaches the largest
// difference (growing only while the scan runs) or as far as fixed, and its bar is the difference's; the export's values stay absolute. A
// file of another range or one refused leaves the reference as it was; one of the same range brings its
// time. "Differenz aus" returns to degrees.
TEST(PictureModel, TheDifferenceShowsEachCellAgainstTheReferenceInKelvin) {
  QTemporaryDir dir;
  PictureModel model({});
  EXPECT_TRUE(model.ShowDifference() && model.RememberReference() && !model.DifferenceShown());
  model.StoreReading(Reading(5, 5, 21));
  model.StoreReading(Reading(6, 5, 22));
  model.StoreReading(CellReading{7, 5, 30, true});
  ASSERT_FALSE(model.RememberReference());
  Measurements other = model.Snapshot();
  model.StoreReading(Reading(5, 5, 24));
  model.StoreReading(Reading(6, 5, 20));
  model.StoreReading(Reading(7, 5, 25));
  ASSERT_FALSE(model.ShowDifference());
  const auto readout = [&](GridCell cell) { return model.PictureReadout(CentreOf(model, cell)).toStdString(); };
  EXPECT_EQ(readout({5, 5}), "+3 K");
  EXPECT_EQ(readout({6, 5}), "-2 K");
  EXPECT_EQ(readout({7, 5}), "");
  EXPECT_TRUE(model.MaxText() == QStringLiteral("+3 K") && model.MinText() == QStringLiteral("-3 K"));
  EXPECT_EQ(model.Legend().Pixel(5, 2), kDifferenceColours.above);
  EXPECT_EQ(model.Snapshot().grid[5][5], 24);

  const QString path = dir.filePath(QStringLiteral("referenz.csv"));
  other.range = ScanRange{0, 30, 0, 31};
  ASSERT_FALSE(SaveMeasurements(path, other));
  EXPECT_TRUE(model.ReferenceFromFile(path) && model.ReferenceFromFile(dir.filePath(QStringLiteral("fehlt.csv"))));
  EXPECT_EQ(readout({5, 5}), "+3 K");
  other.range = model.Image().Range();
  other.takenAt = QDateTime(QDate(2024, 3, 7), QTime(14, 5, 0));
  other.grid[5][5] = 30;
  ASSERT_FALSE(SaveMeasurements(path, other));
  ASSERT_FALSE(model.ReferenceFromFile(path));
  EXPECT_EQ(readout({5, 5}), "-6 K");
  model.SetDifferenceReach(10);
  EXPECT_EQ(model.MaxText(), QStringLiteral("+10 K"));
  EXPECT_EQ(readout({5, 5}), "-6 K");
  EXPECT_TRUE(model.DifferenceNote().contains(QLocale().toString(other.takenAt, QLocale::ShortFormat)));
  model.SetDifferenceReach(std::nullopt);  // automatic: the largest, -6 K, grown only while the scan runs
  EXPECT_EQ(model.MaxText(), QStringLiteral("+6 K"));
  model.SetScanning(true);
  model.StoreReading(Reading(6, 5, 30));
  QSignalSpy changes(&model, &PictureModel::changed);
  ASSERT_TRUE(changes.wait(1000));
  EXPECT_EQ(model.MaxText(), QStringLiteral("+8 K"));
  model.StoreReading(Reading(6, 5, 22));
  model.SetScanning(false);
  EXPECT_EQ(model.MaxText(), QStringLiteral("+6 K"));
  model.HideDifference();
  EXPECT_TRUE(model.MaxText() == QStringLiteral("160 \u00b0 C") && model.DifferenceNote().isEmpty());
  EXPECT_EQ(model.Legend().Pixel(5, 2), kWhite);
}

// The isotherm's cells are drawn over the picture and counted among the real readings; off, nothing of it.
TEST(PictureModel, TheIsothermIsDrawnAndCounted) {
  PictureModel model({});
  model.StoreReading(Reading(5, 5, 21));
  model.StoreReading(Reading(6, 5, 25));
  model.SetIsotherm(Isotherm{IsothermKind::Band, 20, 22});
  const auto at = [&](GridCell cell) { return model.Composite().Pixel(CentreOf(model, cell).x(), CentreOf(model, cell).y()); };
  EXPECT_TRUE(at({5, 5}) == kIsothermColour && at({6, 5}) != kIsothermColour);
  EXPECT_EQ(model.IsothermNote().toStdString(), "Isotherme 20–22 °C: 1 von 2 Zellen (50 %)");
  model.SetIsotherm(std::nullopt);
  EXPECT_TRUE(at({5, 5}) != kIsothermColour && model.IsothermNote().isEmpty());
}

// Four areas at most, each once; their values and the points' leave out readings made up or possibly
// another cell's.
TEST(PictureModel, AreasAreFourAtMostAndNumbersComeFromSureReadingsOnly) {
  PictureModel model({});
  for (int i = 0; i < 4; ++i) EXPECT_TRUE(model.AddArea({{i, 0}, {i, 1}}));
  EXPECT_FALSE(model.AddArea({{9, 9}, {9, 9}}));
  model.ClearAreas();
  model.AddArea({{0, 0}, {1, 0}});
  EXPECT_FALSE(model.AddArea({{0, 0}, {1, 0}}));
  model.AddPoint({1, 0});
  model.StoreReading(Reading(0, 0, 20));
  model.StoreReading(CellReading{1, 0, 90, false, true});  // doubtful
  EXPECT_EQ(model.PointValue(0), std::nullopt);
  const auto values = model.AreaValues(0);
  EXPECT_TRUE(values && values->cellsRead == 1 && values->highest == 20);
}

// The picture's emissivity corrects its colours and readouts with the ambient reading as the reflected
// temperature (anew when that changes); a point's or area's own emissivity corrects its value; without a
// reflected temperature nothing corrected is shown, and the note says why. The file keeps the readings.
TEST(PictureModel, EmissivityCorrectsThePictureAndEachPointAndAreaByItsOwn) {
  PictureModel model({});
  model.SetSpanMode(PictureModel::SpanMode::Fixed, {0, 180});  // a colour per degree: the readout is exact
  model.SetAmbient(20);
  model.StoreReading(Reading(5, 5, 60));
  model.StoreReading(Reading(6, 5, 40));
  model.AddPoint({5, 5});
  model.AddPoint({6, 5});
  model.AddArea({{5, 5}, {6, 5}});
  const auto readout = [&] { return model.PictureReadout(CentreOf(model, {5, 5})).toStdString(); };
  const auto degrees = [](int reading, double emissivity, double reflected) {
    return DegreesText(CorrectedCell(reading, {emissivity, reflected}));
  };
  PictureModel::EmissivityChoice choice;
  choice.picture = 0.5;
  choice.points[1] = 1.0;
  choice.areas[0] = 0.9;
  model.SetEmissivity(choice);
  EXPECT_EQ(readout(), degrees(60, 0.5, 20.0));
  EXPECT_EQ(model.PointText(0)->toStdString(), degrees(60, 0.5, 20.0));
  EXPECT_EQ(model.PointText(1)->toStdString(), "40 \u00b0 C");
  EXPECT_EQ(model.AreaValueTexts(0)->mean, MeanDegreesText(*Corrected(50.0, {0.9, 20.0})));
  EXPECT_EQ(model.Snapshot().grid[5][5], 60);
  EXPECT_EQ(model.EmissivityNote().toStdString(),
            "Emissionsgrad: Bild \u03b5 = 0.50, reflektierte Temperatur 20 °C (Umgebung); eigener: Punkt 2 \u03b5 = "
            "1.00, Messfeld 1 \u03b5 = 0.90");

  model.SetAmbient(30);
  EXPECT_EQ(readout(), degrees(60, 0.5, 30.0));
  model.SetAmbient(0);  // none: nothing to correct with
  EXPECT_EQ(readout(), "");
  EXPECT_EQ(model.PointText(0)->toStdString(), "nicht bestimmbar");
  EXPECT_NE(model.EmissivityNote().indexOf(QStringLiteral("unbekannt")), -1);
  choice.reflectedCelsius = 25.0;
  model.SetEmissivity(choice);
  EXPECT_EQ(readout(), degrees(60, 0.5, 25.0));

  model.SetEmissivity({});
  EXPECT_EQ(readout(), "60 \u00b0 C");
  EXPECT_TRUE(model.EmissivityNote().isEmpty());
}

// The model hands its scan range to the recording, so an area half outside it has its mean once
// the cells inside were read; unsaved means go with the areas only when the question lets them.
TEST(PictureModel, AnAreasMeansFollowTheScanRangeAndGoOnlyWhenTheQuestionLetsThem) {
  PictureModel model([] { return 0.0; });
  ScanRange range;
  range.lastColumn = 1;
  model.SetScanRange(range);
  model.AddArea({{1, 0}, {2, 0}});
  model.StoreReading(CellReading{1, 0, 20, false, false, 1.0, 1});
  ASSERT_EQ(model.Recorder().Series(0).size(), 1u);
  bool mayGo = false;
  int asked = 0;
  model.SetDiscardQuestion([&] { return ++asked, mayGo; });
  model.ClearAreas();
  EXPECT_EQ(model.Areas().size(), 1u);
  mayGo = true;
  model.ClearAreas();
  EXPECT_TRUE(model.Areas().empty());
  EXPECT_EQ(asked, 2);
}

// The live profile follows the line's sure readings; an earlier one is kept once every cell of the line
// in the scan range was read anew and ten seconds have passed since the line or the last kept one.
TEST(PictureModel, TheLineKeepsAProfileOnceEveryCellWasReadAnew) {
  double now = 0.0;
  PictureModel model([&] { return now; });
  model.SetScanRange(ScanRange{0, 61, 0, 30});  // the line's last cell lies beyond the range
  ASSERT_TRUE(model.SetLine({10, 28}, {10, 31}));
  const auto readLine = [&](int value) {
    for (int row = 28; row <= 30; ++row) model.StoreReading(CellReading{10, row, value, false, row == 29, now});
  };
  now = 4.0;
  readLine(30);
  EXPECT_TRUE(model.Profile().Earlier().empty());
  EXPECT_EQ(model.Profile().Live().values, (LineProfile{30, std::nullopt, 30, std::nullopt}));
  now = 12.0;
  model.StoreReading(Reading(11, 28, 50));  // beside the line
  EXPECT_TRUE(model.Profile().Earlier().empty());
  readLine(31);
  ASSERT_EQ(model.Profile().Earlier().size(), 1u);
  EXPECT_EQ(model.Profile().Earlier().back().values.front(), 31);
  now = 30.0;  // the other cells were read after the profile was kept: this one completes the next
  model.StoreReading(CellReading{10, 28, 32, false, false, now});
  ASSERT_EQ(model.Profile().Earlier().size(), 2u);
  EXPECT_EQ(model.Profile().Earlier().back().values.front(), 32);
}

}  // namespace
