#include "overlay/export.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

#include "overlay/file_writing.h"

namespace {

// Why no picture can be written under this name, if that is so. An empty
// name is left to WriteFileAtomically.
std::optional<QString> FormatProblem(const QString& path, const QByteArray& format) {
  if (path.isEmpty() || QImageWriter::supportedImageFormats().contains(format)) {
    return std::nullopt;
  }
  if (format.isEmpty()) {
    return NotSaved(path, QCoreApplication::translate("Export", "der Name hat keine Endung, die ein Bildformat nennt"));
  }
  const QString suffix = QString::fromLatin1(format);
  return NotSaved(path,
                  QCoreApplication::translate("Export", "für die Endung „.%1“ gibt es kein Bildformat").arg(suffix));
}

}  // namespace

QImage AssembleScreenshot(const QImage& picture, const QImage& strip) {
  QImage screenshot(kExportWidth, kExportHeight, QImage::Format_RGB32);
  screenshot.fill(Qt::black);
  QPainter painter(&screenshot);
  painter.drawImage(0, 0, picture);
  if (!strip.isNull()) {
    painter.drawImage(QRect(kPictureWidth, 0, kStripWidth, kExportHeight), strip);
  }
  return screenshot;
}

std::optional<QString> SaveImageFile(const QString& path, const QImage& picture) {
  const QByteArray format = QFileInfo(path).suffix().toLower().toLatin1();
  if (auto problem = FormatProblem(path, format)) {
    return problem;
  }
  return WriteFileAtomically(path, [&picture, &format](QIODevice& file) {
    QImageWriter writer(&file, format);
    return writer.write(picture);
  });
}

std::optional<QString> SaveExport(const QString& path, const QImage& picture, const Measurements& data) {
  if (QFileInfo(path).suffix().compare(QStringLiteral("csv"), Qt::CaseInsensitive) == 0) {
    return SaveMeasurements(path, data);
  }
  return SaveImageFile(path, picture);
}
