#include "trend/trend_csv.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <limits>
#include <vector>

namespace {

// The local time of the start as 2026-12-07T14:05:09+01:00. strftime's %z
// gives +0100; ISO 8601 extended format wants the colon.
std::string IsoLocalTime(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
  std::string iso(text, length);
  if (iso.size() >= 5 && (iso[iso.size() - 5] == '+' || iso[iso.size() - 5] == '-')) iso.insert(iso.size() - 2, ":");
  return iso;
}

// Seconds with a decimal comma and three decimals, built from whole
// milliseconds so that the C locale of the process does not matter.
std::string Seconds(double seconds) {
  const long long millis = std::llround(seconds * 1000.0);
  const long long whole = (millis < 0 ? -millis : millis);
  char text[48];
  std::snprintf(text, sizeof text, "%s%lld,%03lld", millis < 0 ? "-" : "", whole / 1000, whole % 1000);
  return text;
}

}  // namespace

std::string TrendCsv(const TrendRecorder& recorder) {
  const std::vector<MeasuringPoint>& points = recorder.Points();
  std::string text = "# Temperaturverlauf ab " + IsoLocalTime(recorder.WallClockStart()) + "; Messpunkte:";
  for (std::size_t p = 0; p < points.size(); ++p) {
    text += (p == 0 ? " " : "; ") + std::to_string(p + 1) + " (Spalte " + std::to_string(points[p].column) +
            ", Zeile " + std::to_string(points[p].row) + ")";
  }
  text += '\n';

  // Merge the series, each ascending in time, line by line: the earliest
  // pending time of any point, and every point's sample at exactly that time.
  std::vector<std::size_t> next(points.size(), 0);
  for (;;) {
    double time = std::numeric_limits<double>::infinity();
    for (std::size_t p = 0; p < points.size(); ++p) {
      const auto& series = recorder.Series(p);
      if (next[p] < series.size()) time = std::min(time, series[next[p]].seconds);
    }
    if (time == std::numeric_limits<double>::infinity()) break;
    text += Seconds(time);
    for (std::size_t p = 0; p < points.size(); ++p) {
      const auto& series = recorder.Series(p);
      text += ';';
      bool present = false;
      int celsius = 0;
      // Two readings of one point at the same time: the later one counts.
      while (next[p] < series.size() && series[next[p]].seconds == time) {
        celsius = series[next[p]++].celsius;
        present = true;
      }
      if (present) text += std::to_string(celsius);
    }
    text += '\n';
  }
  return text;
}
