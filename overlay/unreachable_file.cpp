#include "overlay/unreachable_file.h"

#include <sys/stat.h>

#include <QCoreApplication>
#include <QFile>
#include <cerrno>

std::optional<QString> UnreachableFileReason(const QString& path) {
  struct stat status {};
  const bool found = ::stat(QFile::encodeName(path).constData(), &status) == 0;
  if (!found && errno == ELOOP) {
    return QCoreApplication::translate("FileReading", "sie ist eine symbolische Verknüpfung, die im Kreis verweist");
  }
  if (!found && errno == ENOENT && path.contains(QChar::ReplacementCharacter)) {
    return QCoreApplication::translate("FileReading", "ihr Name enthält Bytes, die kein gültiges UTF-8 sind");
  }
  return std::nullopt;
}
