#pragma once
#include <cstdint>

// One register read of a grid cell, as the scan took it.
struct CellReading {
  int column = 0;  // 0..61
  int row = 0;     // 0..31
  int value = 0;   // 1..255 degrees
  // No answer came: a made-up value stands in for it.
  bool substituted = false;
  // Taken while a late answer to an earlier request may still have been on
  // the line, so the value may belong to another cell: the picture shows
  // it, a course over time leaves it out.
  bool doubtful = false;
  // When the answer arrived, in seconds of the scan's monotonic clock.
  double seconds = 0.0;
  // The scan step, or the round of a spot measurement, it was taken in;
  // counts up from 1.
  std::uint64_t round = 0;
};
