#include "trend/profile_csv.h"

#include <optional>

#include "trend/csv_text.h"

namespace {

std::string Field(const std::optional<int>& value) { return value ? std::to_string(*value) : ""; }

}  // namespace

std::string ProfileCsv(const ProfileHistory& history) {
  std::string text =
      "# Linienprofil ab " + IsoLocalTime(history.WallClockStart()) + ": Position (Zellen); Spalte; Zeile";
  for (const TimedProfile& profile : history.Earlier()) text += "; Profil bei " + Decimal(profile.seconds, 3) + " s";
  text += "; aktuelles Profil bei " + Decimal(history.Live().seconds, 3) + " s\n";
  for (std::size_t i = 0; i < history.Cells().size(); ++i) {
    const GridCell& cell = history.Cells()[i];
    text += Decimal(history.Positions()[i], 2) + ';' + std::to_string(cell.column) + ';' + std::to_string(cell.row);
    for (const TimedProfile& profile : history.Earlier()) text += ';' + Field(profile.values[i]);
    text += ';' + Field(history.Live().values[i]) + '\n';
  }
  return text;
}
