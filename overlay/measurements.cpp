#include "overlay/measurements.h"

#include <QByteArray>
#include <cstring>

#include "overlay/file_writing.h"

namespace {

QByteArray Header(const Measurements& data) {
  const ScanRange& r = data.range;
  return QStringLiteral("# Torvak-Messwerte vom %1, Umgebungstemperatur %2 Grad Celsius, "
                        "Messbereich Spalten %3 bis %4, Zeilen %5 bis %6\n")
      .arg(data.takenAt.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss")))
      .arg(data.ambientTemperature)
      .arg(int{r.firstColumn})
      .arg(int{r.lastColumn})
      .arg(int{r.firstRow})
      .arg(int{r.lastRow})
      .toUtf8();
}

QByteArray Format(const Measurements& data) {
  QByteArray text = Header(data);
  for (int row = kGridRows - 1; row >= 0; --row) {
    for (int column = 0; column < kGridColumns; ++column) {
      if (column > 0) {
        text += ';';
      }
      if (data.grid[column][row] != kNoReading) {
        text += QByteArray::number(data.grid[column][row]);
      }
    }
    text += '\n';
  }
  return text;
}

}  // namespace

Measurements TakeMeasurements(const std::int32_t (&grid)[kGridColumns][kGridRows], int ambientTemperature,
                              const ScanRange& range) {
  Measurements data{};
  std::memcpy(data.grid, grid, sizeof data.grid);
  data.ambientTemperature = ambientTemperature;
  data.range = range;
  data.takenAt = QDateTime::currentDateTime();
  return data;
}

std::optional<QString> SaveMeasurements(const QString& path, const Measurements& data) {
  const QByteArray text = Format(data);
  return WriteFileAtomically(path, [&text](QIODevice& file) { return file.write(text) == text.size(); });
}
