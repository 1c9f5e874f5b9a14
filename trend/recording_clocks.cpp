#include "trend/recording_clocks.h"

#include <utility>

SecondsClock SteadyUnlessGiven(SecondsClock clock) {
  if (clock) return clock;
  return [] { return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count(); };
}

WallClock SystemUnlessGiven(WallClock clock) {
  if (clock) return clock;
  return [] { return std::chrono::system_clock::now(); };
}
