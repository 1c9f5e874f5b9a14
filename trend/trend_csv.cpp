#include "trend/trend_csv.h"

#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "trend/csv_text.h"

namespace {

// Readings of one round lie closer together than this; equal round tags
// further apart belong to rounds 65536 apart (at least two minutes).
constexpr double kSameRoundSeconds = 60.0;

std::string Header(const TrendRecorder& recorder, const std::string& extra) {
  const std::vector<MeasuringPoint>& points = recorder.Points();
  std::string text = "# Temperaturverlauf ab " + IsoLocalTime(recorder.WallClockStart()) + extra + "; Messpunkte:";
  for (std::size_t p = 0; p < points.size(); ++p) {
    text += (p == 0 ? " " : "; ") + std::to_string(p + 1) + " (Spalte " + std::to_string(points[p].column) +
            ", Zeile " + std::to_string(points[p].row) + ")";
  }
  return text + '\n';
}

// One line of readings: its time and each point's value, if it has one.
using Line = std::pair<double, std::vector<std::optional<int>>>;

// Merges the series, each ascending in time, round by round: the earliest
// pending reading of any point opens a line, and every point whose next
// reading is of the same round joins it.
void ForEachRound(const TrendRecorder& recorder, const std::function<void(const Line&)>& take) {
  const std::size_t points = recorder.Points().size();
  std::vector<std::size_t> next(points, 0);
  Line line{0.0, std::vector<std::optional<int>>(points)};
  for (;;) {
    std::optional<std::size_t> first;
    for (std::size_t p = 0; p < points; ++p) {
      const TrendSeries& series = recorder.Series(p);
      if (next[p] < series.size() && (!first || series[next[p]].seconds < recorder.Series(*first)[next[*first]].seconds))
        first = p;
    }
    if (!first) return;
    const double time = recorder.Series(*first)[next[*first]].seconds;
    const std::uint16_t round = recorder.Series(*first).RoundTag(next[*first]);
    line.first = time;
    for (std::size_t p = 0; p < points; ++p) {
      const TrendSeries& series = recorder.Series(p);
      const bool joins = next[p] < series.size() && series.RoundTag(next[p]) == round &&
                         series[next[p]].seconds - time < kSameRoundSeconds;
      line.second[p] = joins ? std::optional(series[next[p]++].celsius) : std::nullopt;
    }
    take(line);
  }
}

}  // namespace

std::string TrendCsv(const TrendRecorder& recorder) {
  std::string text = Header(recorder, "");
  ForEachRound(recorder, [&text](const Line& line) {
    text += Decimal(line.first, 3);
    for (const std::optional<int>& celsius : line.second) text += ';' + (celsius ? std::to_string(*celsius) : "");
    text += '\n';
  });
  return text;
}

std::size_t TrendCsvLines(const TrendRecorder& recorder) {
  std::size_t lines = 1;
  ForEachRound(recorder, [&lines](const Line&) { ++lines; });
  return lines;
}

std::string TrendCsvAveraged(const TrendRecorder& recorder, int intervalSeconds) {
  std::string text = Header(recorder, ", Mittelwerte über je " + std::to_string(intervalSeconds) + " s");
  const std::size_t points = recorder.Points().size();
  std::vector<double> sums(points, 0.0);
  std::vector<int> counts(points, 0);
  long long interval = -1;
  const auto flush = [&] {
    if (interval < 0) return;
    text += Decimal(static_cast<double>(interval * intervalSeconds), 3);
    for (std::size_t p = 0; p < points; ++p) text += ';' + (counts[p] > 0 ? Decimal(sums[p] / counts[p], 2) : "");
    text += '\n';
    sums.assign(points, 0.0);
    counts.assign(points, 0);
  };
  ForEachRound(recorder, [&](const Line& line) {
    const auto lineInterval = static_cast<long long>(std::floor(line.first / intervalSeconds));
    if (lineInterval != interval) flush(), interval = lineInterval;
    for (std::size_t p = 0; p < points; ++p) {
      if (line.second[p]) sums[p] += *line.second[p], ++counts[p];
    }
  });
  flush();
  return text;
}
