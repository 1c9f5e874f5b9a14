#pragma once
#include <chrono>
#include <functional>

// The clocks a recording reads: monotonic seconds, the clock its readings are
// timed by, and the wall clock that names its start.
using SecondsClock = std::function<double()>;
using WallClock = std::function<std::chrono::system_clock::time_point()>;

// The clock given, or std::chrono::steady_clock's seconds where it is empty.
SecondsClock SteadyUnlessGiven(SecondsClock clock);
// The clock given, or std::chrono::system_clock where it is empty.
WallClock SystemUnlessGiven(WallClock clock);
