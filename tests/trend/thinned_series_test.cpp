// The thinning of a long series for drawing its line.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "trend/thinned_series.h"

namespace {

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

}  // namespace
