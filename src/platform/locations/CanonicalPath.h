#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace velk::platform::locations {

// `nativePath` with every symbolic link, "." and ".." resolved, as the file
// system spells it; none when some part of it does not exist or cannot be
// searched.
std::optional<QByteArray> canonicalNativePath(const QByteArray& nativePath);

// The same for a path as shown; empty when there is none.
QString canonicalPath(const QString& path);

// Whether `path`, cleaned, names its entry with no link on the way to it or
// in its place: its canonical path is the cleaned path itself.
bool isReachedWithoutLinks(const QString& path);

} // namespace velk::platform::locations
