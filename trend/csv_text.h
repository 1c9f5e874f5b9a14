#pragma once
#include <chrono>
#include <string>

// Pieces of the ";"-separated texts written for a spreadsheet.

// The local time as 2026-12-07T14:05:09+01:00 (ISO 8601 with the offset).
std::string IsoLocalTime(std::chrono::system_clock::time_point when);

// A number with a decimal comma and 2 or 3 decimals, whatever the C locale of the process.
std::string Decimal(double value, int decimals);
