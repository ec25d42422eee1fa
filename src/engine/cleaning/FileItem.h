#pragma once

#include "platform/files/FileIdentity.h"
#include "platform/files/FileRemover.h"
#include "common/format/Formatting.h"

#include <QByteArray>
#include <QDateTime>
#include <QHashFunctions>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <functional>
#include <optional>

namespace velk::cleaning {

// One file or folder found by a scan, which the user may select for removal.
// Every record gets a fresh id, so two records of one path are different
// records. Only `isSelected` changes after creation, and `size` when a
// removal left part of the item.
//
// A record made by a scan also keeps the path exactly as the file system
// spells it (a name need not be valid UTF-8, and `path` is only its display
// form) and the identity of the object found, so that a later removal acts
// on exactly that object or on nothing.
struct FileItem {
    enum class ItemType { File, Directory };

    FileItem(const QString& path, qint64 size, std::optional<QDateTime> modificationDate,
             ItemType itemType, bool isSelected = true);
    // A record of an entry found by a scan at `nativePath`.
    static FileItem scanned(const QByteArray& nativePath, const platform::files::ScannedIdentity& identity, qint64 size,
                            std::optional<QDateTime> modificationDate, ItemType itemType, bool isSelected = true);

    QUuid id;
    QString path;   // absolute
    QString name;   // last component of path
    qint64 size = 0; // logical bytes; for a folder, the sum of its regular files
    std::optional<QDateTime> modificationDate;
    ItemType itemType = ItemType::File;
    bool isSelected = true;
    QByteArray nativePath; // as scanned; empty for a record made from a display path
    std::optional<platform::files::ScannedIdentity> identity; // what the scan saw of the entry

    // The bytes every file operation on this item uses.
    QByteArray fileSystemPath() const;
    // What removing this item acts on: those bytes and, for a scanned
    // record, what the scan saw of the entry.
    platform::files::RemovalTarget removalTarget() const { return {fileSystemPath(), identity}; }

    QString formattedSize() const
    {
        return fmt::byteCount(size, fmt::ByteStyle::File);
    }
    QUrl url() const { return QUrl::fromLocalFile(path); }

    // The seven fields of the record; what the scan remembers besides them
    // follows from the path and is not part of its value.
    bool operator==(const FileItem& other) const;
};

size_t qHash(const FileItem& item, size_t seed = 0) noexcept;

} // namespace velk::cleaning

template <>
struct std::hash<velk::cleaning::FileItem> {
    size_t operator()(const velk::cleaning::FileItem& item) const noexcept { return velk::cleaning::qHash(item); }
};
