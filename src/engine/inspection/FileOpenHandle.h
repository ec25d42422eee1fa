#pragma once

#include <QHash>
#include <QMetaType>
#include <QString>
#include <QtGlobal>

namespace velk::inspection {

// One process that holds a file open: its process id and its command name as
// the open-file listing gives it, untruncated. Identified by pid; equal and
// hashed over both fields.
struct FileOpenHandle {
    qint32 pid = 0;
    QString command;

    qint32 id() const { return pid; }
    friend bool operator==(const FileOpenHandle&, const FileOpenHandle&) = default;
};

inline size_t qHash(const FileOpenHandle& handle, size_t seed = 0)
{
    return qHashMulti(seed, handle.pid, handle.command);
}

} // namespace velk::inspection

Q_DECLARE_METATYPE(velk::inspection::FileOpenHandle)
