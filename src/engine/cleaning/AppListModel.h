#pragma once

#include "engine/cleaning/AppItem.h"

#include "common/lists/KeyedListModel.h"
#include "common/lists/ListModel.h"

namespace velk::cleaning {

// The columns of an application row, in the order of the roles below.
enum class AppField {
    Id,
    Name,
    BundleId,          // empty when unknown
    Version,           // empty when unknown
    Path,
    DiskSize,
    FormattedSize,
    TotalSize,
    FormattedTotalSize,
    InstallDate,       // QDateTime; invalid when unknown
    LastUsedDate,
    IsNeverUsed,
    IsSelected,
    // [{id, path, name, size, formattedSize, isDirectory, isSelected}]
    AssociatedFiles,
};
QVariant appField(const AppItem& app, int column);
QList<QByteArray> appFieldNames();

// The uninstaller's applications as a list, with `count` and `get(row)`.
// Rows are inserted, removed and changed one by one as the view model's
// list changes.
class AppListModel : public lists::ListModel {
    Q_OBJECT
public:
    enum Role {
        IdRole = firstRole,
        NameRole,
        BundleIdRole,
        VersionRole,
        PathRole,
        DiskSizeRole,
        FormattedSizeRole,
        TotalSizeRole,
        FormattedTotalSizeRole,
        InstallDateRole,
        LastUsedDateRole,
        IsNeverUsedRole,
        IsSelectedRole,
        AssociatedFilesRole,
    };
    Q_ENUM(Role)

    explicit AppListModel(const QList<AppItem>& apps, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;

    // The row of an application id, or -1.
    Q_INVOKABLE int indexOf(const QString& id) const;

    // The list's owner changes its list inside `apply` and the rows
    // first..last are announced as removed or inserted around it.
    template <class Apply>
    void removing(int first, int last, Apply&& apply)
    {
        beginRemoveRows({}, first, last);
        apply();
        endRemoveRows();
        emit countChanged();
    }
    template <class Apply>
    void inserting(int first, int last, Apply&& apply)
    {
        beginInsertRows({}, first, last);
        apply();
        endInsertRows();
        emit countChanged();
    }
    void rowChanged(int row);

protected:
    QVariant column(int row, int column) const override { return appField(m_apps.at(row), column); }

private:
    const QList<AppItem>& m_apps;
};

// Applications in an order of the caller's, keyed by id: each new list
// arrives as moves, insertions, removals and changes of single rows.
class AppRowsModel : public lists::KeyedListModel<AppItem, QUuid> {
    Q_OBJECT
public:
    explicit AppRowsModel(QObject* parent = nullptr);

protected:
    QUuid keyOf(const AppItem& app) const override { return app.id; }
    QVariant value(const AppItem& app, int column) const override { return appField(app, column); }
};

} // namespace velk::cleaning
