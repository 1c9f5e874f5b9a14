#pragma once
#include <cstddef>
#include <string>

#include "trend/trend_recorder.h"

// The most lines a spreadsheet opens.
inline constexpr std::size_t kSpreadsheetLines = 1048576;

// The recording as a ";"-separated text for a spreadsheet: a "#" line with
// the start (ISO 8601, local time with its offset), the points' cells, the
// areas' cells if any, and each series' emissivity and reflected
// temperature if any series is corrected; then one line per round of
// readings (a pass step, or one round of a spot measurement) in ascending
// time: the seconds since the start of its first reading (decimal comma,
// milliseconds), then one field per point and then per area, as corrected,
// empty where that series has no (determinable) value in that round.
std::string TrendCsv(const TrendRecorder& recorder);
// The lines TrendCsv writes, its "#" line included.
std::size_t TrendCsvLines(const TrendRecorder& recorder);
// The same with each series' mean over consecutive intervals of the given
// seconds (two decimals), each line at its interval's start; the "#" line
// says so.
std::string TrendCsvAveraged(const TrendRecorder& recorder, int intervalSeconds);
