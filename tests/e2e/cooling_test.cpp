// A cooling mug on the emulated head, followed by the spot measurement over the real serial
// link: the recorded course falls, and Newton's law fitted to it gives the emulator's time constant.
#include <gtest/gtest.h>

#include <QSignalSpy>

#include "headsim/scene.h"
#include "scan/qt/scan_service.h"
#include "tests/e2e/head_sim.h"
#include "trend/cooling_fit.h"
#include "trend/trend_recorder.h"

TEST(CoolingOnHead, SpotMeasurementFollowsTheMugAndTheFitFindsItsTimeConstant) {
  constexpr double kTau = 3.0;  // seconds
  HeadSim head;
  ASSERT_TRUE(head.Start({"--cooling", "80,3"}));
  ScanService service;  // real waits: a few hundred readings a second, time-stamped as they arrive
  TrendRecorder recorder{[&service] { return service.ClockSeconds(); }};
  QObject::connect(&service, &ScanService::readingStored, &service,
                   [&](const CellReading& reading) { recorder.Record(reading); });
  QSignalSpy ambient{&service, &ScanService::ambientChanged};
  service.StartUp();
  ASSERT_TRUE(WaitFor([&] { return ambient.size() == 2; }, 20000));
  const GridCell mug{headsim::kMug.column, headsim::kMug.row};
  ASSERT_TRUE(recorder.AddPoint(mug));
  service.StartSpot({mug});
  ASSERT_TRUE(WaitFor([&] { return recorder.Elapsed() > 4 * kTau; }, 30000));
  service.Stop();

  const TrendSeries& course = recorder.Series(0);
  ASSERT_GT(course.size(), 50u);
  double lowest = course.front().celsius;
  for (const TrendSample& sample : course) {
    EXPECT_LE(sample.celsius, lowest + 1) << "at " << sample.seconds << " s";
    lowest = std::min(lowest, sample.celsius);
  }
  EXPECT_LT(lowest + 10, course.front().celsius) << "it cooled";
  const std::vector<TrendSample> samples(course.begin(), course.end());
  const CoolingFit fit = FitCooling(samples, std::nullopt);
  ASSERT_EQ(fit.problem, FitProblem::kNone) << static_cast<int>(fit.problem);
  EXPECT_NEAR(fit.tau, kTau, 0.1 * kTau) << course.size() << " readings in " << course.back().seconds << " s";
}
