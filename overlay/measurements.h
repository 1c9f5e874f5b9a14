#pragma once
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

#include "image/thermal_image.h"

// The measured grid at one moment, as "Messwerte (*.csv)" saves it. A copy,
// so that a scan going on while the save dialog is open changes nothing.
struct Measurements {
  std::int32_t grid[kGridColumns][kGridRows];  // [column][row], kNoReading = no reading
  int ambientTemperature = 0;
  ScanRange range;
  QDateTime takenAt;
};

// The grid, ambient temperature and scan range as they are now.
Measurements TakeMeasurements(const std::int32_t (&grid)[kGridColumns][kGridRows], int ambientTemperature,
                              const ScanRange& range);

// Writes a CSV file for spreadsheets: a comment line starting with "#" with
// the date and time, the ambient temperature and the scan range, then 32
// lines from row 31 (the top of the picture) down to row 0, each with the 62
// columns separated by ";", a cell without a reading left empty. Atomic as
// WriteFileAtomically; on failure a German sentence naming file and reason.
std::optional<QString> SaveMeasurements(const QString& path, const Measurements& data);
