#include "engine/cleaning/FileItem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velk::cleaning {

FileItem::FileItem(const QString& path_, qint64 size_, std::optional<QDateTime> modificationDate_,
                   ItemType itemType_, bool isSelected_)
    : id(QUuid::createUuid())
    , path(path_)
    , name(QFileInfo(QDir::cleanPath(path_)).fileName())
    , size(size_)
    , modificationDate(std::move(modificationDate_))
    , itemType(itemType_)
    , isSelected(isSelected_)
{
}

FileItem FileItem::scanned(const QByteArray& nativePath_, const platform::files::ScannedIdentity& identity_, qint64 size_,
                           std::optional<QDateTime> modificationDate_, ItemType itemType_, bool isSelected_)
{
    FileItem item(QFile::decodeName(nativePath_), size_, std::move(modificationDate_), itemType_, isSelected_);
    item.nativePath = nativePath_;
    item.identity = identity_;
    return item;
}

QByteArray FileItem::fileSystemPath() const
{
    return nativePath.isEmpty() ? QFile::encodeName(path) : nativePath;
}

bool FileItem::operator==(const FileItem& other) const
{
    return id == other.id && path == other.path && name == other.name && size == other.size
        && modificationDate == other.modificationDate && itemType == other.itemType
        && isSelected == other.isSelected;
}

size_t qHash(const FileItem& item, size_t seed) noexcept
{
    return qHashMulti(seed, item.id, item.path, item.name, item.size,
                      item.modificationDate.has_value(), item.modificationDate.value_or(QDateTime()),
                      static_cast<int>(item.itemType), item.isSelected);
}

} // namespace velk::cleaning
