#include "overlay/background.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSettings>
#include <algorithm>

#include "image/display.h"

namespace {

// Pictures claiming more pixels are refused before decoding: a webcam still
// is far smaller, and a forged header must not make us allocate gigabytes.
constexpr qint64 kMaxPixels = 50'000'000;

QString Problem(const QString& path, const QString& what) {
  return QStringLiteral("Hintergrundbild %1 %2").arg(path, what);
}

QString Unreadable(const QString& path, const QImageReader& reader) {
  QString reason;
  switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
      reason = QStringLiteral("unbekanntes Bildformat");
      break;
    case QImageReader::InvalidDataError:
      reason = QStringLiteral("beschädigte Bilddaten");
      break;
    case QImageReader::DeviceError:
      reason = QStringLiteral("Lesefehler");
      break;
    default:
      reason = QStringLiteral("unbekannter Fehler");
  }
  return Problem(path, QStringLiteral("ist kein lesbares Bild: %1").arg(reason));
}

// Reads the picture at path, or says why it cannot be had.
std::optional<QString> ReadPicture(const QString& path, QImage& picture) {
  const QFileInfo info(path);
  if (!info.exists()) {
    return Problem(path, QStringLiteral("fehlt"));
  }
  // Opening a directory, FIFO or device could block or read forever.
  if (!info.isFile()) {
    return Problem(path, QStringLiteral("ist keine gewöhnliche Datei"));
  }
  if (info.size() == 0) {
    return Problem(path, QStringLiteral("ist leer"));
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return Problem(path, QStringLiteral("lässt sich nicht öffnen: %1").arg(file.errorString()));
  }
  QImageReader reader(&file);  // the format follows the content, not the name
  if (!reader.canRead()) {
    return Unreadable(path, reader);
  }
  const QSize claimed = reader.size();  // from the header alone
  if (qint64{claimed.width()} * claimed.height() > kMaxPixels) {
    return Problem(path,
                   QStringLiteral("ist zu groß (%1 × %2 Pixel)").arg(claimed.width()).arg(claimed.height()));
  }
  // Readers leave the rows that a truncated file lacks unwritten; reading
  // into a black picture of the same size and format keeps them black.
  picture = QImage(claimed, reader.imageFormat());
  picture.fill(Qt::black);
  if (!reader.read(&picture)) {
    return Unreadable(path, reader);
  }
  return std::nullopt;
}

// The top-left part of picture, one to one, onto a black surface.
void CopyTopLeft(const QImage& picture, MemoryPicture& surface) {
  surface.Fill(kBlack);
  if (picture.isNull()) {
    return;
  }
  const int width = std::min(picture.width(), surface.Width());
  const int height = std::min(picture.height(), surface.Height());
  const QImage part = picture.copy(0, 0, width, height).convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(part.constScanLine(y));
    // Some readers leave the unused fourth byte as the file had it.
    std::transform(source, source + width, surface.Row(y), [](QRgb p) { return Colour{p | 0xff000000u}; });
  }
}

}  // namespace

QString BackgroundPath() {
  QSettings settings(QStringLiteral("Vom lokalen Anwendungs-Assistenten generierte Anwendungen"),
                     QStringLiteral("Torvak"));
  const QString stored = settings.value(QStringLiteral("SETTINGS/BACKGROUND")).toString();
  if (!stored.isEmpty()) {
    return QDir::fromNativeSeparators(stored);
  }
#ifdef Q_OS_WIN
  return QStringLiteral("C:/temp/Torvak.bmp");
#else
  return QDir::tempPath() + QStringLiteral("/Torvak.bmp");
#endif
}

std::optional<QString> LoadBackground(DisplayData& display, const QString& path) {
  QImage picture;
  auto problem = ReadPicture(path, picture);
  // A reader that fails midway may have filled part of the picture: a refused file shows nothing.
  CopyTopLeft(problem ? QImage() : picture, display.backgroundSurface);
  return problem;
}

std::optional<QString> ShowBackground(DisplayData& display, const QString& path) {
  auto problem = LoadBackground(display, path);
  display.compositeSurface = display.backgroundSurface;
  return problem;
}

void ClearBackground(DisplayData& display) {
  display.backgroundSurface.Fill(kBlack);
  display.compositeSurface = display.backgroundSurface;
}
