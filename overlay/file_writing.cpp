#include "overlay/file_writing.h"

#include <QFileInfo>
#include <QSaveFile>

QString NotSaved(const QString& path, const QString& reason) {
  return QStringLiteral("Die Datei %1 wurde nicht gespeichert: %2.").arg(path, reason);
}

std::optional<QString> WriteFileAtomically(const QString& path,
                                           const std::function<bool(QIODevice&)>& write) {
  if (path.isEmpty()) {
    return QStringLiteral("Es wurde kein Dateiname angegeben.");
  }
  const QFileInfo info(path);
  if (info.exists() && !info.isFile()) {
    return NotSaved(path, QStringLiteral("das ist keine gewöhnliche Datei (Gerät, Ordner oder Pipe)"));
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    return NotSaved(path, QStringLiteral("sie lässt sich nicht anlegen (%1)").arg(file.errorString()));
  }
  // Without commit() the temporary file is removed and the old one stays.
  // commit() overlooks a failure to write out its buffer: flush first.
  if (!write(file) || !file.flush() || !file.commit()) {
    const QString detail = file.error() != QFileDevice::NoError ? file.errorString() : QString();
    return NotSaved(path, detail.isEmpty() ? QStringLiteral("Schreibfehler")
                                           : QStringLiteral("Schreibfehler (%1)").arg(detail));
  }
  return std::nullopt;
}
