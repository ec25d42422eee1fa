#include "engine/cleaning/AppListModel.h"

namespace velk {
namespace {

QVariant optionalDate(const std::optional<QDateTime>& date)
{
    return date ? QVariant(*date) : QVariant(QDateTime());
}

QVariantList fileRows(const QList<FileItem>& files)
{
    QVariantList rows;
    for (const FileItem& file : files) {
        rows.append(QVariantMap{
            {"id", file.id.toString(QUuid::WithoutBraces)},
            {"path", file.path},
            {"name", file.name},
            {"size", file.size},
            {"formattedSize", file.formattedSize()},
            {"isDirectory", file.itemType == FileItem::ItemType::Directory},
            {"isSelected", file.isSelected},
        });
    }
    return rows;
}

} // namespace

AppListModel::AppListModel(const QList<AppItem>& apps, QObject* parent)
    : QAbstractListModel(parent)
    , m_apps(apps)
{
}

int AppListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_apps.size());
}

QVariant AppListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() < 0 || index.row() >= m_apps.size())
        return {};
    const AppItem& app = m_apps.at(index.row());
    switch (role) {
    case IdRole: return app.id.toString(QUuid::WithoutBraces);
    case Qt::DisplayRole:
    case NameRole: return app.name;
    case BundleIdRole: return app.bundleID.value_or(QString());
    case VersionRole: return app.version.value_or(QString());
    case PathRole: return app.path;
    case DiskSizeRole: return app.diskSize;
    case FormattedSizeRole: return app.formattedSize();
    case TotalSizeRole: return app.totalSize();
    case FormattedTotalSizeRole: return app.formattedTotalSize();
    case InstallDateRole: return optionalDate(app.installDate);
    case LastUsedDateRole: return optionalDate(app.lastUsedDate);
    case IsNeverUsedRole: return app.isNeverUsed();
    case IsSelectedRole: return app.isSelected;
    case AssociatedFilesRole: return fileRows(app.associatedFiles);
    default: return {};
    }
}

QHash<int, QByteArray> AppListModel::roleNames() const
{
    return {
        {IdRole, "appId"},
        {NameRole, "name"},
        {BundleIdRole, "bundleId"},
        {VersionRole, "version"},
        {PathRole, "path"},
        {DiskSizeRole, "diskSize"},
        {FormattedSizeRole, "formattedSize"},
        {TotalSizeRole, "totalSize"},
        {FormattedTotalSizeRole, "formattedTotalSize"},
        {InstallDateRole, "installDate"},
        {LastUsedDateRole, "lastUsedDate"},
        {IsNeverUsedRole, "isNeverUsed"},
        {IsSelectedRole, "isSelected"},
        {AssociatedFilesRole, "associatedFiles"},
    };
}

int AppListModel::indexOf(const QString& id) const
{
    const QUuid key(id);
    for (int row = 0; row < m_apps.size(); ++row) {
        if (m_apps.at(row).id == key)
            return row;
    }
    return -1;
}

void AppListModel::rowChanged(int row)
{
    if (row >= 0 && row < m_apps.size())
        emit dataChanged(index(row), index(row));
}

} // namespace velk
