#pragma once

#include "engine/cleaning/AppItem.h"

#include <QAbstractListModel>
#include <QSet>

namespace velk {

// The uninstaller's applications as a list keyed by id. Rows are inserted,
// removed and changed one by one as the view model's list changes.
class AppListModel : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        NameRole,
        BundleIdRole,          // empty when unknown
        VersionRole,           // empty when unknown
        PathRole,
        DiskSizeRole,
        FormattedSizeRole,
        TotalSizeRole,
        FormattedTotalSizeRole,
        InstallDateRole,       // QDateTime; invalid when unknown
        LastUsedDateRole,
        IsNeverUsedRole,
        IsSelectedRole,
        // [{id, path, name, size, formattedSize, isDirectory, isSelected}]
        AssociatedFilesRole,
    };
    Q_ENUM(Role)

    explicit AppListModel(const QList<AppItem>& apps, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

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
    }
    template <class Apply>
    void inserting(int first, int last, Apply&& apply)
    {
        beginInsertRows({}, first, last);
        apply();
        endInsertRows();
    }
    void rowChanged(int row);

private:
    const QList<AppItem>& m_apps;
};

} // namespace velk
