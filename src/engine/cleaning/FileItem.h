#pragma once

#include "platform/Formatting.h"

#include <QDateTime>
#include <QHashFunctions>
#include <QString>
#include <QUrl>
#include <QUuid>

#include <functional>
#include <optional>

namespace velk {

// One file or folder found by a scan, which the user may select for removal.
// Every record gets a fresh id, so two records of one path are different
// records. Only `isSelected` changes after creation.
struct FileItem {
    enum class ItemType { File, Directory };

    FileItem(const QString& path, qint64 size, std::optional<QDateTime> modificationDate,
             ItemType itemType, bool isSelected = true);

    QUuid id;
    QString path;   // absolute
    QString name;   // last component of path
    qint64 size = 0; // logical bytes; for a folder, the sum of its regular files
    std::optional<QDateTime> modificationDate;
    ItemType itemType = ItemType::File;
    bool isSelected = true;

    QString formattedSize() const
    {
        return platform::fmt::byteCount(size, platform::fmt::ByteStyle::File);
    }
    QUrl url() const { return QUrl::fromLocalFile(path); }

    bool operator==(const FileItem& other) const = default;
};

size_t qHash(const FileItem& item, size_t seed = 0) noexcept;

} // namespace velk

template <>
struct std::hash<velk::FileItem> {
    size_t operator()(const velk::FileItem& item) const noexcept { return velk::qHash(item); }
};
