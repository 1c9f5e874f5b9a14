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
// WriteFileAtomically; on failure a translated sentence naming file and reason.
std::optional<QString> SaveMeasurements(const QString& path, const Measurements& data);

// What ReadMeasurements found: the values, or else why the file cannot be taken.
struct MeasurementsRead {
  std::optional<Measurements> data;
  QString problem;  // empty when data holds the values
};

// Reads a file that SaveMeasurements wrote, strictly: its header line with a
// valid date and time, an ambient temperature 0..255 and a valid scan range,
// then exactly 32 lines of exactly 62 fields, each empty or a reading 1..255
// written as SaveMeasurements writes it, nothing after them but the final line
// end. Lines may end in "\n" or "\r\n", as a spreadsheet may save them.
// Only a regular file no larger than the largest such file is opened: a
// folder, a pipe or a device never is. Saving the result again gives the same
// bytes. A refusal is a translated sentence naming the file, the line (the header
// is line 1) and the reason.
MeasurementsRead ReadMeasurements(const QString& path);
