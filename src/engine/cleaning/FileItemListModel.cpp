#include "engine/cleaning/FileItemListModel.h"

#include "engine/cleaning/SystemLocation.h"

#include <iterator>

namespace velk::cleaning {

namespace {

// Role names in the order of the roles.
constexpr const char* roleNameTable[] = {
    "id", "path", "name", "size", "formattedSize", "modificationDate", "isSelected", "isSystem", "isDirectory",
};
static_assert(std::size(roleNameTable) == FileItemListModel::IsDirectoryRole - FileItemListModel::IdRole + 1);

} // namespace

FileItemListModel::FileItemListModel(QObject* parent)
    : KeyedListModel(QList<QByteArray>(std::begin(roleNameTable), std::end(roleNameTable)), parent)
{
}

QVariant FileItemListModel::value(const FileItem& item, int column) const
{
    switch (column + firstRole) {
    case IdRole: return item.id.toString(QUuid::WithoutBraces);
    case PathRole: return item.path;
    case NameRole: return item.name;
    case SizeRole: return QVariant::fromValue<qint64>(item.size);
    case FormattedSizeRole: return item.formattedSize();
    case ModificationDateRole: return item.modificationDate ? QVariant(*item.modificationDate) : QVariant();
    case IsSelectedRole: return item.isSelected;
    case IsSystemRole: return SystemLocation::isSystem(item.path);
    case IsDirectoryRole: return item.itemType == FileItem::ItemType::Directory;
    default: return {};
    }
}

bool matchesSearch(const QString& name, const QString& searchText)
{
    return searchText.isEmpty() || name.contains(searchText, Qt::CaseInsensitive);
}

FileItemSearchModel::FileItemSearchModel(QObject* parent)
    : QSortFilterProxyModel(parent)
{
    connect(this, &QAbstractItemModel::rowsInserted, this, &FileItemSearchModel::countChanged);
    connect(this, &QAbstractItemModel::rowsRemoved, this, &FileItemSearchModel::countChanged);
    connect(this, &QAbstractItemModel::modelReset, this, &FileItemSearchModel::countChanged);
}

void FileItemSearchModel::setSearchText(const QString& text)
{
    if (text == m_searchText)
        return;
    m_searchText = text;
    invalidateRowsFilter();
}

bool FileItemSearchModel::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const QModelIndex index = sourceModel()->index(sourceRow, 0, sourceParent);
    return matchesSearch(index.data(FileItemListModel::NameRole).toString(), m_searchText);
}

} // namespace velk::cleaning
