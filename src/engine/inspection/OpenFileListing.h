#pragma once

#include "engine/inspection/FileOpenHandle.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>

namespace velk::inspection::openfiles {

// Maps from a name as the listing prints it to the path the caller gave, and
// from each given path to the processes holding it open.
using NameMap = QHash<QString, QString>;
using HandleMap = QHash<QString, QList<FileOpenHandle>>;

// A path's native bytes written the way lsof writes names under the C locale:
// bytes from 0x80 up and 0x7f as "\xNN", newline, tab, carriage return,
// backspace and form feed as "\n", "\t", "\r", "\b", "\f", other control
// bytes as "^X" and a backslash as "\\".
QString escapedName(const QByteArray& nativePath);

// A command name from the listing with its "\xNN" escapes turned back into
// bytes, read as UTF-8.
QString decodedCommand(const QString& field);

// Adds the handles of one run's field output ("p", "c" and "n" lines) to
// `handles`: names found in `names`, held by processes with a pid of at
// least 1 other than `ownPid`, each process and command once per path.
void collectHandles(const QString& output, const NameMap& names, qint32 ownPid, HandleMap& handles);

} // namespace velk::inspection::openfiles
