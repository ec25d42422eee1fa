#pragma once

#include "platform/files/FileIdentity.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>

namespace velk::platform::files {

// What a removal acts on: an absolute path exactly as the file system spells
// it and, when a scan found it, what the scan saw there.
struct RemovalTarget {
    // From a display path (UTF-8 names only).
    RemovalTarget(const QString& path);
    RemovalTarget(QByteArray nativePath, std::optional<ScannedIdentity> identity = std::nullopt);

    QByteArray path;
    std::optional<ScannedIdentity> identity;
};

// Why an item, or a part of it, stayed: what the remover refused, or that
// the system refused an operation (its errno beside).
enum class RemovalReason {
    None,           // nothing stayed
    SystemError,    // an operation failed; RemovalResult::error says why
    InvalidPath,    // not an absolute path without "." or ".."
    NotAsScanned,   // replaced or changed since the scan, or another item took its name
    MountPoint,     // a mount point, or a folder holding one
    HomeFolder,     // "/", the home or a folder above it
    FolderForbids,  // its folder does not let this user remove entries (permissions, a read-only file system)
    StickyFolder,   // a sticky folder, and neither the item nor the folder is this user's
    Immutable,      // marked immutable or append-only, or its folder is
    AlreadyInTrash, // Move to Trash of what the Trash holds
    NoTrash,        // no usable Trash on the item's own file system
    Protected,      // refused by its cleaner, which never removes such an item
};

struct RemovalResult {
    bool gone = false;           // the item is no longer where it was
    std::int64_t freedBytes = 0; // see each operation
    // When the item, or part of it, stayed: the entry that stayed and why
    // (the system's error text or what was refused), for the log.
    QString failure;
    // The same reason for the user, and the errno of a system error.
    RemovalReason reason = RemovalReason::None;
    int error = 0;

    explicit operator bool() const { return gone; }
};

// Removes files and folders, acting only on the object named and never
// leaving it:
// - every component of the path is resolved without following a symbolic
//   link, and an entry that is not the one scanned (see isAsScanned: another
//   object, or another type, birth time or, for files, size, modification or
//   status-change time) is refused;
// - a link is removed as a link, links met inside a folder are unlinked, not
//   entered;
// - no mount point is entered or removed (bind mounts of the same file
//   system included); an item that is itself a mount point is refused;
// - "/", the user's home and every folder above it are refused, whoever
//   asks;
// - before anything is touched, the item itself must be free to leave its
//   folder: the folder writable and searchable by this user, the sticky
//   folder rule met, no immutable or append-only flag on the item or its
//   folder. Otherwise the whole item is refused and stays as it was.
// The default remover logs every item that stays, with its failure, as a
// warning of "velk.platform.removal".
class FileRemover {
public:
    virtual ~FileRemover() = default;
    // Removes the target and everything below it. freedBytes counts the
    // regular files whose last link went, also when some of the item stays
    // (a partial removal). An item of the user's Trash takes the Trash's
    // record of it along.
    virtual RemovalResult removePermanently(const RemovalTarget& target) = 0;
    // Moves the target into the user's Trash, writing its record. It never
    // falls back to removing: when it cannot be moved (another device, no
    // usable Trash, a mount point inside, an item already in the Trash) it
    // stays where it is. The move is whole or nothing, so freedBytes is 0
    // unless it moved, and then counts what removing it would free: every
    // regular file moved, hidden ones and package contents included, once,
    // when all its links moved.
    virtual RemovalResult moveToTrash(const RemovalTarget& target) = 0;

    static std::shared_ptr<FileRemover> createDefault();
};

} // namespace velk::platform::files
