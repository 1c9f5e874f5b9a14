#include "overlay/measurements.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstring>

#include "overlay/file_writing.h"
#include "overlay/regular_file.h"
#include "overlay/unreachable_file.h"

namespace {

// Parts of the file format, which is the same in every language: not translated.
constexpr auto kDateFormat = "dd.MM.yyyy HH:mm:ss";
constexpr char kHeaderStart[] = "# Torvak-Messwerte vom ";
constexpr int kLines = 1 + kGridRows;  // the header, then the rows
constexpr int kHighest = 255;          // the largest reading and ambient temperature the head reports
// The largest file SaveMeasurements writes, with room to spare in the header
// and for "\r\n" line ends: 32 lines of 62 three-digit fields and 61 separators.
constexpr qint64 kMaxFileBytes = 200 + kGridRows * (kGridColumns * 3 + (kGridColumns - 1) + 2);

QByteArray Header(const Measurements& data) {
  const ScanRange& r = data.range;
  // Not translated: the file format is the same in every language.
  return QStringLiteral("# Torvak-Messwerte vom %1, Umgebungstemperatur %2 Grad Celsius, "
                        "Messbereich Spalten %3 bis %4, Zeilen %5 bis %6\n")
      .arg(data.takenAt.toString(QString::fromLatin1(kDateFormat)))
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

// Fills takenAt, ambientTemperature and range from the header line; false
// unless SaveMeasurements would write exactly this line for them.
bool ParseHeader(const QByteArray& line, Measurements& data) {
  // Not translated: the file format is the same in every language.
  static const QRegularExpression pattern(QStringLiteral(
      "^# Torvak-Messwerte vom ([0-9]{2}\\.[0-9]{2}\\.[0-9]{4} [0-9]{2}:[0-9]{2}:[0-9]{2}), "
      "Umgebungstemperatur ([0-9]{1,3}) Grad Celsius, "
      "Messbereich Spalten ([0-9]{1,2}) bis ([0-9]{1,2}), Zeilen ([0-9]{1,2}) bis ([0-9]{1,2})$"));
  const QRegularExpressionMatch match = pattern.match(QString::fromUtf8(line));
  if (!match.hasMatch()) {
    return false;
  }
  data.takenAt = QDateTime::fromString(match.captured(1), QString::fromLatin1(kDateFormat));
  data.ambientTemperature = match.captured(2).toInt();
  const int firstColumn = match.captured(3).toInt(), lastColumn = match.captured(4).toInt();
  const int firstRow = match.captured(5).toInt(), lastRow = match.captured(6).toInt();
  if (!data.takenAt.isValid() || data.ambientTemperature > kHighest || firstColumn > lastColumn ||
      lastColumn >= kGridColumns || firstRow > lastRow || lastRow >= kGridRows) {
    return false;
  }
  data.range = ScanRange{static_cast<std::uint8_t>(firstColumn), static_cast<std::uint8_t>(lastColumn),
                         static_cast<std::uint8_t>(firstRow), static_cast<std::uint8_t>(lastRow)};
  // Leading zeros, or a date that Qt reads leniently, would not be written back the same.
  return Header(data).chopped(1) == line;
}

// A field as Format writes it: empty for no reading, else 1..255 in digits
// without a leading zero.
std::optional<int> ParseField(const QByteArray& field) {
  if (field.isEmpty()) {
    return kNoReading;
  }
  if (field.size() > 3 || field[0] == '0') {
    return std::nullopt;
  }
  int value = 0;
  for (const char digit : field) {
    if (digit < '0' || digit > '9') {
      return std::nullopt;
    }
    value = value * 10 + (digit - '0');
  }
  return value <= kHighest ? std::optional(value) : std::nullopt;
}

// A field for a message, cut short so that a long one does not flood it.
QString Shown(const QByteArray& field) {
  constexpr int kShown = 12;
  return QString::fromUtf8(field.left(kShown)) + (field.size() > kShown ? QStringLiteral("…") : QString());
}

QString NotRead(const QString& path, const QString& reason) {
  return QCoreApplication::translate("Measurements", "Die Messwertdatei %1 lässt sich nicht öffnen: %2.")
      .arg(path, reason);
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

namespace {

// What a file held, or (problem) why it could not be read.
struct FileText {
  QByteArray text;
  QString problem;
};

// Looked at before opening: opening a pipe waits for a writer, a device may
// never end or act on being opened. Should a pipe have taken the file's
// place meanwhile, opening it without blocking and checking what was opened
// still keeps it from waiting.
FileText ReadSmallRegularFile(const QString& path) {
  const QString notRegular =
      QCoreApplication::translate("Measurements", "das ist keine gewöhnliche Datei (Gerät, Ordner oder Pipe)");
  const QString tooLarge =
      QCoreApplication::translate("Measurements", "sie ist zu groß für eine Messwertdatei (mehr als %1 Bytes)")
          .arg(kMaxFileBytes);
  const QFileInfo info(path);
  if (!info.exists()) {
    return {{}, UnreachableFileReason(path).value_or(QCoreApplication::translate("Measurements", "sie fehlt"))};
  }
  if (!info.isFile()) return {{}, notRegular};
  if (info.size() > kMaxFileBytes) return {{}, tooLarge};
  QFile file;
  QString reason;
  switch (OpenRegularFile(path, file, reason)) {
    case RegularFileOpen::kFailed:
      return {{}, QCoreApplication::translate("Measurements", "Lesefehler (%1)").arg(reason)};
    case RegularFileOpen::kNotRegular:
      return {{}, notRegular};
    case RegularFileOpen::kOpened:
      break;
  }
  const QByteArray text = file.read(kMaxFileBytes + 1);  // one byte more tells a file that has grown since
  if (file.error() != QFileDevice::NoError) {
    return {{}, QCoreApplication::translate("Measurements", "Lesefehler (%1)").arg(file.errorString())};
  }
  if (text.size() > kMaxFileBytes) return {{}, tooLarge};
  if (text.contains('\0')) {
    return {{}, QCoreApplication::translate("Measurements", "sie enthält Nullbytes, ist also keine Textdatei")};
  }
  return {text, {}};
}

// The lines of a text, without their ends ("\n" or "\r\n").
QList<QByteArray> Lines(const QByteArray& text) {
  QList<QByteArray> lines = text.split('\n');
  if (lines.size() > 1 && lines.back().isEmpty()) lines.removeLast();  // after the final line end
  for (QByteArray& line : lines) {
    if (line.endsWith('\r')) line.chop(1);
  }
  return lines;
}

// Fills the grid from lines 2..33 (line 2 the top row, line 33 row 0); the
// reason if one is not as written.
QString ParseRows(const QList<QByteArray>& lines, Measurements& data) {
  for (int number = 2; number <= kLines; ++number) {
    if (number > lines.size()) {
      return QCoreApplication::translate("Measurements", "sie endet nach Zeile %1 (erwartet: %2 Zeilen)")
          .arg(lines.size())
          .arg(kLines);
    }
    const QList<QByteArray> fields = lines[number - 1].split(';');
    if (fields.size() != kGridColumns) {
      return QCoreApplication::translate("Measurements", "Zeile %1: %2 statt %3 Felder")
          .arg(number)
          .arg(fields.size())
          .arg(kGridColumns);
    }
    for (int column = 0; column < kGridColumns; ++column) {
      const std::optional<int> value = ParseField(fields[column]);
      if (!value) {
        // In one pass, so that a "%" in the field stays as it is.
        return QCoreApplication::translate("Measurements", "Zeile %1, Feld %2: „%3“ ist kein Messwert (1 bis %4)")
            .arg(QString::number(number), QString::number(column + 1), Shown(fields[column]),
                 QString::number(kHighest));
      }
      data.grid[column][kLines - number] = *value;
    }
  }
  if (lines.size() > kLines) {
    return QCoreApplication::translate(
               "Measurements", "Zeile %1: nach der letzten Messwertzeile folgt noch etwas (erwartet: %2 Zeilen)")
        .arg(kLines + 1)
        .arg(kLines);
  }
  return {};
}

}  // namespace

MeasurementsRead ReadMeasurements(const QString& path) {
  const auto refuse = [&path](const QString& reason) { return MeasurementsRead{std::nullopt, NotRead(path, reason)}; };
  const FileText file = ReadSmallRegularFile(path);
  if (!file.problem.isEmpty()) return refuse(file.problem);
  const QList<QByteArray> lines = Lines(file.text);
  Measurements data{};
  if (!lines[0].startsWith(kHeaderStart)) {
    return refuse(QCoreApplication::translate("Measurements", "Zeile 1: keine Torvak-Messwertdatei"));
  }
  if (!ParseHeader(lines[0], data)) {
    return refuse(QCoreApplication::translate("Measurements", "Zeile 1: Kopfzeile beschädigt"));
  }
  if (const QString problem = ParseRows(lines, data); !problem.isEmpty()) return refuse(problem);
  return {data, {}};
}
