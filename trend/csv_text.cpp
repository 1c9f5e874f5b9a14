#include "trend/csv_text.h"

#include <cmath>
#include <cstdio>
#include <ctime>

// strftime's %z gives +0100; ISO 8601 extended format wants the colon.
std::string IsoLocalTime(std::chrono::system_clock::time_point when) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S%z", &local);
  const std::string iso(text, length);
  const std::size_t offset = iso.size() - 5;  // where %z's sign stands
  if (iso.size() < 5 || (iso[offset] != '+' && iso[offset] != '-')) return iso;
  return iso.substr(0, iso.size() - 2) + ':' + iso.substr(iso.size() - 2);
}

// Built from whole units, so that the C locale of the process does not matter.
std::string Decimal(double value, int decimals) {
  const long long scale = decimals == 3 ? 1000 : 100;
  const long long units = std::llround(value * static_cast<double>(scale));
  const long long whole = units < 0 ? -units : units;
  char text[48];
  std::snprintf(text, sizeof text, "%s%lld,%0*lld", units < 0 ? "-" : "", whole / scale, decimals, whole % scale);
  return text;
}
