// A line's profiles over time and their spreadsheet text.
#include "trend/profile_history.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "support/time_zone.h"
#include "trend/profile_csv.h"

namespace {

struct Scene {
  Scene() { std::fill_n(&grid[0][0], kGridColumns * kGridRows, kNoReading); }
  double now = 100.0;
  int wallMinutes = 0;
  ProfileHistory history{[this] { return now; }, [this] {
                           using namespace std::chrono;
                           return sys_time<seconds>(sys_days(2026y / 12 / 7) + 13h + 5min + 9s) +
                                  minutes(wallMinutes);
                         }};
  ThermalImage::CellGrid grid;
  SubstituteMask substituted{};
};

TEST(ProfileHistory, KeepsTheLastTwelveProfilesWithValuesAndANewLineDropsThem) {
  Scene scene;
  ProfileHistory& history = scene.history;
  EXPECT_FALSE(history.SetLine({-3, -3}, {-1, -1}));
  EXPECT_FALSE(history.HasLine());
  ASSERT_TRUE(history.SetLine({-1, 0}, {3, 0}));  // recording begins at 100 s
  EXPECT_EQ(history.Cells().size(), 4u);
  EXPECT_EQ(history.From(), (GridCell{-1, 0}));
  history.Update(scene.grid, scene.substituted);
  EXPECT_FALSE(history.KeepLive()) << "a profile without a value is not kept";
  EXPECT_FALSE(history.HasUnsavedProfiles());

  for (int k = 0; k < 14; ++k) {
    scene.now = 101 + k;
    scene.grid[2][0] = 20 + k;
    history.Update(scene.grid, scene.substituted);
    scene.now += 0.5;  // kept a little later: the profile keeps the time it was taken
    ASSERT_TRUE(history.KeepLive());
  }
  ASSERT_EQ(history.Earlier().size(), kKeptProfiles);
  EXPECT_EQ(history.Earlier().front().seconds, 3.0);
  EXPECT_EQ(history.Earlier().front().values, (LineProfile{{}, {}, 22, {}}));
  EXPECT_EQ(history.Earlier().back().seconds, 14.0);
  EXPECT_TRUE(history.HasUnsavedProfiles());
  history.MarkSaved();
  EXPECT_FALSE(history.HasUnsavedProfiles());
  ASSERT_TRUE(history.KeepLive());
  EXPECT_TRUE(history.HasUnsavedProfiles());

  const auto firstWall = history.WallClockStart();
  scene.now = 200;
  scene.wallMinutes = 2;
  ASSERT_TRUE(history.SetLine({-1, 0}, {3, 0}));  // the same line again begins anew
  EXPECT_TRUE(history.Earlier().empty());
  EXPECT_EQ(history.Live().values, LineProfile(4));
  EXPECT_FALSE(history.HasUnsavedProfiles());
  EXPECT_EQ(history.Elapsed(), 0.0);
  EXPECT_EQ(history.WallClockStart() - firstWall, std::chrono::minutes(2));
  history.ClearLine();
  EXPECT_FALSE(history.HasLine());
}

// The line (0,0) to (2,1) crosses (1,1); the earlier profile's substitute and the live one's
// missing reading leave empty fields.
TEST(ProfileCsv, WritesACellALineWithEachProfileEarliestFirstUnderAnIsoHeader) {
  TimeZone zone{"CET-1CEST,M3.5.0,M10.5.0/3"};
  Scene scene;
  ASSERT_TRUE(scene.history.SetLine({0, 0}, {2, 1}));
  scene.now = 112.5;
  scene.grid[0][0] = 20, scene.grid[1][1] = 30, scene.substituted[1][1] = true, scene.grid[2][1] = 22;
  scene.history.Update(scene.grid, scene.substituted);
  ASSERT_TRUE(scene.history.KeepLive());
  scene.now = 130.25;
  scene.grid[0][0] = 21, scene.substituted[1][1] = false, scene.grid[1][1] = 31, scene.grid[2][1] = kNoReading;
  scene.history.Update(scene.grid, scene.substituted);
  EXPECT_EQ(ProfileCsv(scene.history),
            "# Linienprofil ab 2026-12-07T14:05:09+01:00: Position (Zellen); Spalte; Zeile; "
            "Profil bei 12,500 s; aktuelles Profil bei 30,250 s\n"
            "0,00;0;0;20;21\n1,41;1;1;;31\n2,24;2;1;22;\n");
}

}  // namespace
