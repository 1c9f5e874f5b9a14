#include "overlay/background.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QSettings>
#include <algorithm>

#include "image/display.h"
#include "overlay/regular_file.h"
#include "overlay/unreachable_file.h"

namespace {

// Pictures claiming more pixels are refused before decoding: a webcam still
// is far smaller, and a forged header must not make us allocate gigabytes.
constexpr qint64 kMaxPixels = 50'000'000;

QString Unreadable(const QString& path, const QImageReader& reader) {
  QString reason;
  switch (reader.error()) {
    case QImageReader::UnsupportedFormatError:
      reason = QCoreApplication::translate("Background", "unbekanntes Bildformat");
      break;
    case QImageReader::InvalidDataError:
      reason = QCoreApplication::translate("Background", "beschädigte Bilddaten");
      break;
    case QImageReader::DeviceError:
      reason = QCoreApplication::translate("Background", "Lesefehler");
      break;
    default:
      reason = QCoreApplication::translate("Background", "unbekannter Fehler");
  }
  return QCoreApplication::translate("Background", "Hintergrundbild %1 ist kein lesbares Bild: %2").arg(path, reason);
}

// The picture file as its reader sees it. Unbuffered itself (the file below
// buffers), it gets every read as the reader asked for it and notes whether
// the reader asked for more bytes than were left.
class WatchedFile : public QIODevice {
 public:
  explicit WatchedFile(QFile& file) : file_(file) { open(QIODevice::ReadOnly | QIODevice::Unbuffered); }
  bool isSequential() const override { return false; }
  qint64 size() const override { return file_.size(); }
  bool seek(qint64 pos) override { return QIODevice::seek(pos) && file_.seek(pos); }

  bool wantedMore = false;  // a read got fewer bytes than it asked for
  bool ranDry = false;      // a read got none at all

 protected:
  qint64 readData(char* data, qint64 maxSize) override {
    const qint64 got = file_.read(data, maxSize);
    wantedMore = wantedMore || got < maxSize;
    ranDry = ranDry || (maxSize > 0 && got <= 0);
    return got;
  }
  qint64 writeData(const char*, qint64) override { return -1; }

 private:
  QFile& file_;
};

// Reads the picture at path, or says why it cannot be had or that it is incomplete.
BackgroundLoad ReadPicture(const QString& path, QImage& picture) {
  const QFileInfo info(path);
  const auto cannotOpen = [&path](const QString& reason) {
    const QString text = QCoreApplication::translate("Background", "Hintergrundbild %1 lässt sich nicht öffnen: %2");
    return BackgroundLoad{false, text.arg(path, reason)};
  };
  if (!info.exists()) {
    if (const std::optional<QString> reason = UnreachableFileReason(path)) return cannotOpen(*reason);
    return {false, QCoreApplication::translate("Background", "Hintergrundbild %1 fehlt").arg(path)};
  }
  // Opening a directory, FIFO or device could block or read forever.
  const QString notRegular =
      QCoreApplication::translate("Background", "Hintergrundbild %1 ist keine gewöhnliche Datei").arg(path);
  if (!info.isFile()) {
    return {false, notRegular};
  }
  if (info.size() == 0) {
    return {false, QCoreApplication::translate("Background", "Hintergrundbild %1 ist leer").arg(path)};
  }
  QFile file;
  QString reason;
  switch (OpenRegularFile(path, file, reason)) {
    case RegularFileOpen::kFailed:
      return cannotOpen(reason);
    case RegularFileOpen::kNotRegular:
      return {false, notRegular};
    case RegularFileOpen::kOpened:
      break;
  }
  WatchedFile watched(file);
  QImageReader reader(&watched);  // the format follows the content, not the name
  if (!reader.canRead()) {
    return {false, Unreadable(path, reader)};
  }
  const QSize claimed = reader.size();  // from the header alone
  if (qint64{claimed.width()} * claimed.height() > kMaxPixels) {
    return {false, QCoreApplication::translate("Background", "Hintergrundbild %1 ist zu groß (%2 × %3 Pixel)")
                       .arg(path, QString::number(claimed.width()), QString::number(claimed.height()))};
  }
  // Readers leave the rows that a truncated file lacks unwritten; reading
  // into a black picture of the same size and format keeps them black.
  picture = QImage(claimed, reader.imageFormat());
  picture.fill(Qt::black);
  const QByteArray format = reader.format();
  // Recognising the format may have looked past the end of a small file.
  watched.wantedMore = watched.ranDry = false;
  const bool read = reader.read(&picture);
  // The readers of bitmaps, PNG and PNM ask for just the bytes they need, so
  // finding fewer means the file ends early; the bitmap reader then still
  // succeeds. Readers that fill a buffer at a time (JPEG, GIF) come up short
  // at the end of every file: for them only a read that gets nothing counts.
  const bool exact =
      format == "bmp" || format == "png" || format == "pbm" || format == "pgm" || format == "ppm";
  if ((exact ? watched.wantedMore : watched.ranDry) && !picture.isNull()) {
    const QString problem =
        exact ? QCoreApplication::translate("Background",
                                            "Hintergrundbild %1 ist unvollständig – fehlende Zeilen schwarz")
              : QCoreApplication::translate("Background", "Hintergrundbild %1 ist unvollständig");
    return {true, problem.arg(path)};
  }
  if (!read) {
    return {false, Unreadable(path, reader)};
  }
  return {true, std::nullopt};
}

// The picture's pixels onto the surface from (left, top) on, which must hold them.
void CopyInto(const QImage& picture, MemoryPicture& surface, int left, int top) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* source = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    // Some readers leave the unused fourth byte as the file had it.
    std::transform(source, source + rgb.width(), surface.Row(top + y) + left,
                   [](QRgb p) { return Colour{p | 0xff000000u}; });
  }
}

// The picture onto a black surface as fit says.
void Place(const QImage& picture, BackgroundFit fit, MemoryPicture& surface) {
  surface.Fill(kBlack);
  if (picture.isNull()) {
    return;
  }
  const QSize area(surface.Width(), surface.Height());
  if (fit == BackgroundFit::TopLeft) {
    CopyInto(picture.copy(QRect(QPoint(0, 0), picture.size().boundedTo(area))), surface, 0, 0);
    return;
  }
  const QImage scaled = picture.scaled(area, Qt::KeepAspectRatio, Qt::SmoothTransformation);
  CopyInto(scaled, surface, (area.width() - scaled.width()) / 2, (area.height() - scaled.height()) / 2);
}

const QString kBackgroundKey = QStringLiteral("SETTINGS/BACKGROUND");

}  // namespace

QString BackgroundPath() {
  const QString stored = QSettings().value(kBackgroundKey).toString();
  if (!stored.isEmpty()) {
    return QDir::fromNativeSeparators(stored);
  }
#ifdef Q_OS_WIN
  return QStringLiteral("C:/temp/Torvak.bmp");
#else
  return QDir::tempPath() + QStringLiteral("/Torvak.bmp");
#endif
}

void StoreBackgroundPath(const QString& path) { QSettings().setValue(kBackgroundKey, path); }

BackgroundLoad LoadBackground(DisplayData& display, const QString& path, BackgroundFit fit) {
  QImage picture;
  BackgroundLoad load = ReadPicture(path, picture);
  // A reader that fails midway may have filled part of the picture: a refused file shows nothing.
  Place(load.shown ? picture : QImage(), fit, display.backgroundSurface);
  return load;
}

BackgroundLoad ShowBackground(DisplayData& display, const QString& path, BackgroundFit fit) {
  BackgroundLoad load = LoadBackground(display, path, fit);
  display.compositeSurface = display.backgroundSurface;
  return load;
}

void ClearBackground(DisplayData& display) {
  display.backgroundSurface.Fill(kBlack);
  display.compositeSurface = display.backgroundSurface;
}
