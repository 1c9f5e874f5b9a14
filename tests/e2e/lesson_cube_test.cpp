// The Leslie cube lesson on the emulated head: four areas on the four faces,
// each with its face's emissivity and the room as the reflected temperature;
// after a pass every face's corrected mean is the water's temperature within
// what the head's whole degrees allow, in the recording as on the picture,
// and the report names them.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

#include "headsim/scene.h"
#include "image/emissivity.h"
#include "tests/e2e/head_sim.h"
#include "tests/support/pdf_text.h"
#include "ui/report.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

namespace {

constexpr double kKelvin = 273.15;

// How far a corrected reading may lie from the truth when the head rounds to
// whole degrees: half a degree, grown by the correction's slope dT/dTm =
// Tm^3 / (eps T^3).
double RoundingReach(double measured, double emissivity) {
  return 0.5 * std::pow((measured + kKelvin) / (headsim::kCubeCelsius + kKelvin), 3) / emissivity + 0.01;
}

TEST(LessonOnHead, TheCubesFacesCorrectedByTheirEmissivityAllReadTheWatersTemperature) {
  HeadSim head;
  ASSERT_TRUE(head.Start({"--scene", "cube"}));
  CTorvakDlg dlg(ScanService::LinkFactory{}, NoWaits);
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  PictureModel& model = dlg.Model();
  PictureModel::EmissivityChoice emissivity;
  emissivity.reflectedCelsius = headsim::kRoomCelsius;
  for (std::size_t i = 0; i < std::size(headsim::kCubeFaces); ++i) {
    const headsim::CubeFace& face = headsim::kCubeFaces[i];
    ASSERT_TRUE(model.AddArea({{face.firstColumn, face.firstRow}, {face.lastColumn, face.lastRow}}));
    emissivity.areas[i] = face.emissivity;
  }
  model.SetEmissivity(emissivity);
  auto* start = dlg.ControlAs<QAbstractButton>(ctl::kStart);
  ASSERT_TRUE(WaitFor([&] { return start->isEnabled(); }));
  QSignalSpy scanning(&dlg.Scan(), &ScanService::scanningChanged);
  QTest::mouseClick(start, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return scanning.size() == 2; }, 60000));  // on, and off after one pass

  QTemporaryDir folder;
  const QString report = folder.filePath(QStringLiteral("würfel.pdf"));
  ASSERT_EQ(SaveReport(report, model, QDateTime::currentDateTime()), std::nullopt);
  const QString text = PdfText(report).simplified();
  for (std::size_t i = 0; i < std::size(headsim::kCubeFaces); ++i) {
    const double faceEmissivity = headsim::kCubeFaces[i].emissivity;
    const std::optional<AreaStatistics> values = model.AreaValues(i);
    ASSERT_TRUE(values && values->cellsRead == model.Areas()[i].Cells());
    const std::optional<double> corrected = Corrected(values->mean, {faceEmissivity, headsim::kRoomCelsius});
    ASSERT_TRUE(corrected);
    EXPECT_NEAR(*corrected, headsim::kCubeCelsius, RoundingReach(values->mean, faceEmissivity)) << "face " << i + 1;
    EXPECT_TRUE(text.contains(model.AreaValueTexts(i)->mean)) << text.toStdString();
    const TrendRecorder& recording = model.Recorder();
    const std::size_t series = model.Points().size() + i;
    ASSERT_EQ(recording.Series(series).size(), 1u) << "one mean a pass";
    const std::vector<TrendSample> course = CorrectedSamples(recording.Series(series), recording.CorrectionOf(series));
    ASSERT_EQ(course.size(), 1u);
    EXPECT_NEAR(course.front().celsius, *corrected, 0.01);
  }
}

}  // namespace
