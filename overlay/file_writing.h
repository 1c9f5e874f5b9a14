#pragma once
#include <QIODevice>
#include <QString>
#include <functional>
#include <optional>

// Writes the file at path, all or nothing: write() puts the content into a
// device in memory, which then goes to a temporary file beside the path that
// replaces the old file only once it is complete and on the disk, so a
// failed write leaves an existing file as it was and no partial file behind.
// Refuses a path that exists and is not a regular file (a device, a folder,
// a pipe). On failure the result is a translated sentence that names the file
// and the reason (a full disk as such), for a message box.
std::optional<QString> WriteFileAtomically(const QString& path,
                                           const std::function<bool(QIODevice&)>& write);

// "Die Datei <path> wurde nicht gespeichert: <reason>.", translated.
QString NotSaved(const QString& path, const QString& reason);
