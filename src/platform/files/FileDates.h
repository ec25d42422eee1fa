#pragma once

#include <QDateTime>
#include <QString>
#include <optional>

namespace velk::platform::files {

// When the item at `path` was created (the file system's birth time) and
// last modified; absent when the file system does not keep it or the item
// cannot be read. Links are not followed.
std::optional<QDateTime> creationDate(const QString& path);
std::optional<QDateTime> modificationDate(const QString& path);

} // namespace velk::platform::files
