#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

namespace velk::platform::files {

// Whether a symbolic link standing at the path itself is followed.
enum class LastLink { Follow, Refuse };

// The content of the regular file at `path` when it holds at most `maxBytes`;
// nothing when it is missing, larger, unreadable or no regular file. The file
// is opened without waiting and examined once open, so a FIFO or a device
// standing where the file should be gives nothing at once instead of holding
// the reader up until something writes to it.
std::optional<QByteArray> readRegularFile(const QString& path, qint64 maxBytes, LastLink link = LastLink::Follow);

} // namespace velk::platform::files
