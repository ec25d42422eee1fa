#include "engine/cleaning/FileItemListModel.h"

#include "engine/cleaning/SystemLocation.h"

namespace velk {

QVariant FileItemListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= rowCount())
        return {};
    const FileItem& item = rows()[index.row()];
    switch (role) {
    case IdRole: return item.id.toString(QUuid::WithoutBraces);
    case PathRole: return item.path;
    case Qt::DisplayRole:
    case NameRole: return item.name;
    case SizeRole: return QVariant::fromValue<qint64>(item.size);
    case FormattedSizeRole: return item.formattedSize();
    case ModificationDateRole: return item.modificationDate ? QVariant(*item.modificationDate) : QVariant();
    case IsSelectedRole: return item.isSelected;
    case IsSystemRole: return SystemLocation::isSystem(item.path);
    default: return {};
    }
}

QHash<int, QByteArray> FileItemListModel::roleNames() const
{
    return {
        {IdRole, "id"},
        {PathRole, "path"},
        {NameRole, "name"},
        {SizeRole, "size"},
        {FormattedSizeRole, "formattedSize"},
        {ModificationDateRole, "modificationDate"},
        {IsSelectedRole, "isSelected"},
        {IsSystemRole, "isSystem"},
    };
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

} // namespace velk
