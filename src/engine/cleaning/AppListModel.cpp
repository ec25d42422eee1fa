#include "engine/cleaning/AppListModel.h"

namespace velk::cleaning {
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

QVariant appField(const AppItem& app, int column)
{
    switch (AppField(column)) {
    case AppField::Id: return app.id.toString(QUuid::WithoutBraces);
    case AppField::Name: return app.name;
    case AppField::BundleId: return app.bundleID.value_or(QString());
    case AppField::Version: return app.version.value_or(QString());
    case AppField::Path: return app.path;
    case AppField::DiskSize: return app.diskSize;
    case AppField::FormattedSize: return app.formattedSize();
    case AppField::TotalSize: return app.totalSize();
    case AppField::FormattedTotalSize: return app.formattedTotalSize();
    case AppField::InstallDate: return optionalDate(app.installDate);
    case AppField::LastUsedDate: return optionalDate(app.lastUsedDate);
    case AppField::IsNeverUsed: return app.isNeverUsed();
    case AppField::IsSelected: return app.isSelected;
    case AppField::AssociatedFiles: return fileRows(app.associatedFiles);
    }
    return {};
}

QList<QByteArray> appFieldNames()
{
    return {"appId", "name", "bundleId", "version", "path", "diskSize", "formattedSize", "totalSize",
            "formattedTotalSize", "installDate", "lastUsedDate", "isNeverUsed", "isSelected", "associatedFiles"};
}

AppListModel::AppListModel(const QList<AppItem>& apps, QObject* parent)
    : ListModel(appFieldNames(), parent)
    , m_apps(apps)
{
}

int AppListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_apps.size());
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
        announceChanged(row, row);
}

AppRowsModel::AppRowsModel(QObject* parent)
    : KeyedListModel(appFieldNames(), parent)
{
}

} // namespace velk::cleaning
