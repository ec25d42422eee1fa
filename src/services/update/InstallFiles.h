#pragma once

#include <QByteArray>
#include <QString>
#include <optional>
#include <sys/types.h>

// File work of the installer. Every function is safe on a worker thread.
namespace velk::UpdateCheck::files {

// The installer's own folder "<cacheHome>/VelkClean/update", reached through
// the cache home's real path (so that no link lies on the way to it), each
// of the two levels created with mode 0700 when missing. Used only when
// "VelkClean" is a folder of this user and "update" a folder of this user
// with mode exactly 0700, neither of them a link; nothing otherwise, with
// `detail` telling why.
std::optional<QString> privateWorkFolder(const QString& cacheHome, QString* detail);

// Creates a new folder "<folder>/<prefix>XXXXXX" (mode 0700) under a name
// that nothing had; its path, or nothing with `detail` set.
std::optional<QString> makeUniqueFolder(const QString& folder, const QString& prefix, QString* detail);

// The first entry of `folder`, in listing order (hidden ones included), whose
// name ends in ".app" after a non-empty stem and which is a real folder
// rather than a link or a file. `listed` is false when the folder could not
// be read.
std::optional<QString> firstApplicationFolder(const QString& folder, bool* listed);

// Copies the folder `from` to the new path `to`: folders, files with their
// permission bits, and links as links (never followed). False, with `detail`
// set, on the first failure, on an entry of any other kind, or when anything
// is at `to` already (nothing is copied into or through it).
bool copyKeepingLinks(const QString& from, const QString& to, QString* detail);

// Creates the folder `path` with mode 0700; false, with `detail` set, when
// anything is there already (a link included) or it cannot be made.
bool makeNewFolder(const QString& path, QString* detail);

// Creates the file `path` holding `content` with mode `mode`, set through
// its descriptor; false, with `detail` set, when anything is there already
// (a link is never followed) or it cannot be written whole.
bool writeNewFile(const QString& path, const QByteArray& content, mode_t mode, QString* detail);

// One install at a time per working folder, across processes: an exclusive
// lock on a descriptor of the folder itself (never through a link), taken
// without waiting and held while this object lives.
class FolderLock {
public:
    enum class State {
        Held,
        // Another install holds it.
        Busy,
        // The folder could not be opened or locked; detail() says why.
        Failed,
    };

    explicit FolderLock(const QString& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    State state() const { return m_state; }
    QString detail() const { return m_detail; }

private:
    int m_descriptor = -1;
    State m_state = State::Failed;
    QString m_detail;
};

// Renames `from` to `to`, replacing what is there.
bool replaceWith(const QString& from, const QString& to, QString* detail);

} // namespace velk::UpdateCheck::files
