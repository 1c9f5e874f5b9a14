// The rod lesson on the emulated head: a line along the heated rod, read by the spot measurement
// over the real serial link, keeps profiles that are warm at the heater and cold far from it and
// warm up over time; saved as CSV they read back as kept.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <numeric>

#include "headsim/scene.h"
#include "tests/e2e/head_sim.h"
#include "ui/profile_window.h"
#include "ui/torvak_controls.h"
#include "ui/torvak_dlg.h"

namespace {

int Sum(const LineProfile& profile) {
  return std::accumulate(profile.begin(), profile.end(), 0,
                         [](int sum, const std::optional<int>& value) { return sum + value.value_or(0); });
}

TEST(RodLessonOnHead, ProfilesAlongTheRodWarmFromTheHeaterAndSaveAsCsv) {
  HeadSim head;
  // Heat spreads over ten cells in about a second, so the lesson takes seconds, not minutes.
  ASSERT_TRUE(head.Start({"--scene", "rod", "--diffusivity", "20"}));
  CTorvakDlg dlg(ScanService::LinkFactory{}, NoWaits);  // every round of the line counts as many seconds
  dlg.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
  ASSERT_TRUE(WaitFor([&] { return dlg.Control(ctl::kStart)->isEnabled(); }));
  ASSERT_TRUE(dlg.Model().SetLine({headsim::kRodFirstColumn, headsim::kRodRow},
                                  {headsim::kRodLastColumn, headsim::kRodRow}));
  QTest::keyClick(&dlg, Qt::Key_M, Qt::ControlModifier);  // "Punktmessung" over the line's cells
  const ProfileHistory& history = dlg.Model().Profile();
  ASSERT_TRUE(WaitFor([&] { return !history.Earlier().empty(); }, 20000));
  const TimedProfile first = history.Earlier().back();
  QElapsedTimer sinceFirst;
  sinceFirst.start();
  ASSERT_TRUE(WaitFor([&] { return sinceFirst.elapsed() > 1500 && history.Earlier().back().seconds > first.seconds; }));
  dlg.Scan().StopSpot();
  const TimedProfile latest = history.Earlier().back();

  ASSERT_EQ(latest.values.size(), 50u);
  EXPECT_GT(latest.values.front().value_or(0), latest.values.back().value_or(99) + 30) << "heater end warmer";
  for (std::size_t i = 0; i < latest.values.size(); ++i) EXPECT_GE(latest.values[i], first.values[i]) << "cell " << i;
  EXPECT_GT(Sum(latest.values), Sum(first.values)) << "the rod warmed between the kept profiles";

  QTemporaryDir dir;
  const QString path = dir.filePath("rod.csv");
  ProfileWindow plot(dlg.Model(), &dlg, [&](QWidget*) { return path; });
  ASSERT_TRUE(plot.Save());
  EXPECT_FALSE(history.HasUnsavedProfiles());
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromUtf8(saved.readAll()).split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(lines.size(), 51);
  int differing = 0;  // every kept profile's value, cell by cell (place, column, row, then the profiles)
  for (std::size_t i = 0; i < history.Cells().size(); ++i) {
    const QStringList fields = lines[static_cast<int>(i) + 1].split(';');
    ASSERT_EQ(fields.size(), 3 + static_cast<int>(history.Earlier().size()) + 1) << "cell " << i;
    for (std::size_t k = 0; k < history.Earlier().size(); ++k) {
      const std::optional<int> value = history.Earlier()[k].values[i];
      differing += fields[3 + static_cast<int>(k)] != (value ? QString::number(*value) : QString());
    }
  }
  EXPECT_EQ(differing, 0);
}

}  // namespace
