#pragma once
#include <ctime>

// Processor time the whole process has used so far, in seconds: a port or a
// thread spinning on a vanished device shows up here.
inline double ProcessCpuSeconds() {
  timespec now{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}
