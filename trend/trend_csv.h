#pragma once
#include <string>

#include "trend/trend_recorder.h"

// The recording as a ";"-separated text for a spreadsheet: a "#" line with
// the start (ISO 8601, local time with its offset) and the points' cells,
// then one line per sample time in ascending order: the seconds since the
// start (decimal comma, milliseconds), then one field per point, empty where
// that point has no sample at that time.
std::string TrendCsv(const TrendRecorder& recorder);
