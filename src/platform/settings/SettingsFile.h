#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace velk::platform::settings::settingsfile {

// The object a settings file holds. A number too large for a double
// ("1e999") reads as the text "inf" or "-inf", the store's own spelling of
// the infinities, and one too small as 0, so that one such value costs none
// of the others. Nothing for a file that is not a JSON object.
std::optional<QJsonObject> parse(const QByteArray& content);

// Whether `path`, links followed, names something that is not a regular file:
// a FIFO, a device, a socket or a folder. Found without opening it, since
// opening a FIFO waits for a writer and a device may never end.
bool isNotAFile(const QString& path);

struct SetAside {
    // The new name of an entry moved aside; empty when none was.
    QString movedTo;
    // Why an entry that had to go aside could not; empty otherwise.
    QString failure;
};

// Before the file at `path` is written: an entry there that is not a regular
// file, cannot be read, or does not hold a settings object, is renamed to
// "<name>.corrupt-<date>" in the same folder, so that the write starts a new
// file instead of replacing it. Nothing that is not a regular file is opened.
SetAside setAsideIfUnreadable(const QString& path);

// Why no settings file could be written at `path`, for the log: a link to a
// place that does not exist, a folder this user may not write in, a full disk.
QString whyUnwritable(const QString& path);

} // namespace velk::platform::settings::settingsfile
