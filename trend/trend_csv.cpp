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

std::string Cells(const CellArea& area) {
  return "Spalte " + std::to_string(area.first.column) + "–" + std::to_string(area.last.column) + ", Zeile " +
         std::to_string(area.first.row) + "–" + std::to_string(area.last.row);
}

// "; Messfelder: 1 (Spalte 3–7, Zeile 2–6); 2 (…)", empty without areas.
std::string AreasStatement(const TrendRecorder& recorder) {
  const std::vector<CellArea>& areas = recorder.Areas();
  std::string text = areas.empty() ? "" : "; Messfelder:";
  for (std::size_t a = 0; a < areas.size(); ++a) {
    text += (a == 0 ? " " : "; ") + std::to_string(a + 1) + " (" + Cells(areas[a]) + ")";
  }
  return text;
}

// "; Korrektur: Messpunkt 1 ε = 0,95, Tr = 20,00 °C; Messfeld 1 ε = 1,00, …"
// for every series once any is corrected; empty while none is, so the text
// of an uncorrected recording stays as it always was.
std::string CorrectionStatement(const TrendRecorder& recorder) {
  const std::size_t points = recorder.Points().size();
  std::string text;
  bool corrects = false;
  for (std::size_t s = 0; s < recorder.SeriesCount(); ++s) {
    const Correction& correction = recorder.CorrectionOf(s);
    corrects = corrects || correction.Corrects();
    const std::string name = s < points ? "Messpunkt " + std::to_string(s + 1) : "Messfeld " + std::to_string(s - points + 1);
    text += (s == 0 ? " " : "; ") + name + " ε = " + Decimal(correction.emissivity, 2) +
            ", Tr = " + Decimal(correction.reflectedCelsius, 2) + " °C";
  }
  return corrects ? "; Korrektur:" + text : "";
}

std::string Header(const TrendRecorder& recorder, const std::string& extra) {
  const std::vector<MeasuringPoint>& points = recorder.Points();
  std::string text = "# Temperaturverlauf ab " + IsoLocalTime(recorder.WallClockStart()) + extra + "; Messpunkte:";
  for (std::size_t p = 0; p < points.size(); ++p) {
    text += (p == 0 ? " " : "; ") + std::to_string(p + 1) + " (Spalte " + std::to_string(points[p].column) +
            ", Zeile " + std::to_string(points[p].row) + ")";
  }
  return text + AreasStatement(recorder) + CorrectionStatement(recorder) + '\n';
}

// A value as its series gives it: whole degrees for a point's uncorrected
// readings, as they were measured; hundredths otherwise.
std::string Value(const TrendRecorder& recorder, std::size_t series, double celsius) {
  const bool whole = recorder.Series(series).Resolution() >= 1.0 && !recorder.CorrectionOf(series).Corrects();
  return whole ? std::to_string(std::lround(celsius)) : Decimal(celsius, 2);
}

// One line of readings: its time and each series' value as corrected, if it
// has one.
using Line = std::pair<double, std::vector<std::optional<double>>>;

// Merges the series, each ascending in time, round by round: the earliest
// pending reading of any series opens a line, and every series whose next
// reading is of the same round joins it.
void ForEachRound(const TrendRecorder& recorder, const std::function<void(const Line&)>& take) {
  const std::size_t points = recorder.SeriesCount();
  std::vector<std::size_t> next(points, 0);
  Line line{0.0, std::vector<std::optional<double>>(points)};
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
      line.second[p] = joins ? Corrected(series[next[p]++].celsius, recorder.CorrectionOf(p)) : std::nullopt;
    }
    take(line);
  }
}

}  // namespace

std::string TrendCsv(const TrendRecorder& recorder) {
  std::string text = Header(recorder, "");
  ForEachRound(recorder, [&](const Line& line) {
    text += Decimal(line.first, 3);
    for (std::size_t s = 0; s < line.second.size(); ++s)
      text += ';' + (line.second[s] ? Value(recorder, s, *line.second[s]) : "");
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
  const std::size_t points = recorder.SeriesCount();
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
