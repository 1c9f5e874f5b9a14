#pragma once
#include <QFile>
#include <QString>

// How opening a file for reading went.
enum class RegularFileOpen { kOpened, kNotRegular, kFailed };

// Opens path for reading into file if it is a regular file. It is opened
// without blocking and checked after opening, so that a pipe or device that
// took the file's place after the caller looked is never waited on. kFailed
// leaves the system's reason in reason.
RegularFileOpen OpenRegularFile(const QString& path, QFile& file, QString& reason);
