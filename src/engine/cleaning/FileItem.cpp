#include "engine/cleaning/FileItem.h"

#include <QDir>
#include <QFileInfo>

namespace velk {

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

size_t qHash(const FileItem& item, size_t seed) noexcept
{
    return qHashMulti(seed, item.id, item.path, item.name, item.size,
                      item.modificationDate.has_value(), item.modificationDate.value_or(QDateTime()),
                      static_cast<int>(item.itemType), item.isSelected);
}

} // namespace velk
