#pragma once
#include <QString>
#include <optional>

// For a path at which QFileInfo finds no file: why, if there may be one after
// all, as a translated clause to follow "lässt sich nicht öffnen:"; none if
// the file is simply missing. A symbolic link that leads round in a circle
// looks missing, and so does a file whose name is not valid UTF-8: Qt turns
// such bytes into U+FFFD, and the name it hands on then names no file.
std::optional<QString> UnreachableFileReason(const QString& path);
