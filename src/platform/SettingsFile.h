#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>

namespace velk::platform::settingsfile {

// The object a settings file holds. A number too large for a double
// ("1e999") reads as the text "inf" or "-inf", the store's own spelling of
// the infinities, and one too small as 0, so that one such value costs none
// of the others. Nothing for a file that is not a JSON object.
std::optional<QJsonObject> parse(const QByteArray& content);

// Before the file at `path` is written: a file there that cannot be read, or
// does not hold a settings object, is renamed to "<name>.corrupt-<date>" in
// the same folder, so that the write starts a new file instead of replacing
// it. The new name of a file moved aside; empty when none was.
QString setAsideIfUnreadable(const QString& path);

} // namespace velk::platform::settingsfile
