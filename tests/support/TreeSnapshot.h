#pragma once

#include <QDirIterator>
#include <QFile>
#include <QMap>
#include <QString>
#include <sys/stat.h>

namespace velk::test {

// Everything below a folder, links not followed: each entry's type, size,
// modification time and link target. Two snapshots compare equal when
// nothing below the folder was added, removed or changed.
inline QMap<QString, QString> snapshotTree(const QString& folder)
{
    QMap<QString, QString> entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        struct stat st {};
        if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
            continue;
        entries.insert(path.mid(folder.size()), QStringLiteral("%1 %2 %3.%4 %5")
                                                    .arg(st.st_mode)
                                                    .arg(st.st_size)
                                                    .arg(st.st_mtim.tv_sec)
                                                    .arg(st.st_mtim.tv_nsec)
                                                    .arg(QFile::symLinkTarget(path)));
    }
    return entries;
}

} // namespace velk::test
