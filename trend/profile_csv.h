#pragma once
#include <string>

#include "trend/profile_history.h"

// The line's profiles as a ";"-separated text for a spreadsheet: a "#" line
// with the start (ISO 8601, local time with its offset) that names each
// column, the profiles by their seconds since the start; then one line per
// cell of the line: its place along it (cells, two decimals, decimal comma),
// its column and row, and its value in each profile, the earlier ones
// earliest first and the live one last, empty where a profile has none.
std::string ProfileCsv(const ProfileHistory& history);
