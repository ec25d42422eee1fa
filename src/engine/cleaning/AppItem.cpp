#include "engine/cleaning/AppItem.h"

#include "common/format/Formatting.h"

namespace velk::cleaning {

AppItem::AppItem(const QString& name_, std::optional<QString> bundleID_, const QString& path_,
                 std::optional<QString> version_, qint64 diskSize_, std::optional<QDateTime> installDate_,
                 std::optional<QDateTime> lastUsedDate_, int useCount_)
    : id(QUuid::createUuid())
    , name(name_)
    , bundleID(std::move(bundleID_))
    , path(path_)
    , version(std::move(version_))
    , diskSize(diskSize_)
    , installDate(std::move(installDate_))
    , lastUsedDate(std::move(lastUsedDate_))
    , useCount(useCount_)
{
}

qint64 AppItem::totalSize() const
{
    qint64 total = diskSize;
    for (const FileItem& file : associatedFiles)
        total += file.size;
    return total;
}

bool AppItem::operator==(const AppItem& other) const
{
    return id == other.id && name == other.name && bundleID == other.bundleID && path == other.path
        && version == other.version && diskSize == other.diskSize && installDate == other.installDate
        && lastUsedDate == other.lastUsedDate && useCount == other.useCount && isSelected == other.isSelected
        && associatedFiles == other.associatedFiles;
}

QString AppItem::formattedSize() const
{
    return fmt::byteCount(diskSize, fmt::ByteStyle::File);
}

QString AppItem::formattedTotalSize() const
{
    return fmt::byteCount(totalSize(), fmt::ByteStyle::File);
}

} // namespace velk::cleaning
