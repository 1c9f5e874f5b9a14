#include "overlay/file_writing.h"

#include <unistd.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <cerrno>
#include <system_error>

namespace {

// Writes all of content to the open file fd and then onto the disk; 0, or the
// errno of the call that failed. A disk that fills up can show only when the
// data is written out, at fsync.
int WriteOut(int fd, const QByteArray& content) {
  const char* data = content.constData();
  qsizetype left = content.size();
  while (left > 0) {
    const ssize_t written = ::write(fd, data, static_cast<size_t>(left));
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    data += written;
    left -= written;
  }
  return ::fsync(fd) == 0 ? 0 : errno;
}

QString WriteFailure(int error) {
  switch (error) {
    case ENOSPC:
    case EDQUOT: return QCoreApplication::translate("FileWriting", "der Datenträger ist voll");
    case EFBIG: return QCoreApplication::translate("FileWriting", "sie ist zu groß");
    default:
      return QCoreApplication::translate("FileWriting", "Schreibfehler (%1)")
          .arg(QString::fromStdString(std::generic_category().message(error)));
  }
}

}  // namespace

QString NotSaved(const QString& path, const QString& reason) {
  return QCoreApplication::translate("FileWriting", "Die Datei %1 wurde nicht gespeichert: %2.").arg(path, reason);
}

std::optional<QString> WriteFileAtomically(const QString& path,
                                           const std::function<bool(QIODevice&)>& write) {
  if (path.isEmpty()) {
    return QCoreApplication::translate("FileWriting", "Es wurde kein Dateiname angegeben.");
  }
  const QFileInfo info(path);
  if (info.exists() && !info.isFile()) {
    return NotSaved(path, QCoreApplication::translate("FileWriting",
                                                      "das ist keine gewöhnliche Datei (Gerät, Ordner oder Pipe)"));
  }
  // The content is made in memory and written out here: Qt's file engine
  // forgets why a write stopped partway (as on a full disk) and would leave
  // only "Unknown error".
  QByteArray content;
  QBuffer buffer(&content);
  if (!buffer.open(QIODevice::WriteOnly) || !write(buffer)) {
    return NotSaved(path, QCoreApplication::translate("FileWriting", "Schreibfehler"));
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return NotSaved(path, QCoreApplication::translate("FileWriting", "sie lässt sich nicht anlegen (%1)")
                              .arg(file.errorString()));
  }
  // Without commit() the temporary file is removed and the old one stays.
  if (const int error = WriteOut(file.handle(), content)) {
    return NotSaved(path, WriteFailure(error));
  }
  if (!file.commit()) {
    return NotSaved(path, QCoreApplication::translate("FileWriting", "Schreibfehler (%1)").arg(file.errorString()));
  }
  return std::nullopt;
}
