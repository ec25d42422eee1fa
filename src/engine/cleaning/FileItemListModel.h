#pragma once

#include "engine/cleaning/FileItem.h"
#include "common/lists/KeyedListModel.h"

#include <QSortFilterProxyModel>
#include <QUuid>

namespace velk::cleaning {

// Found files for the screens, one row per FileItem keyed by its id. Changes
// arrive as single-row insertions, removals and changes.
class FileItemListModel : public lists::KeyedListModel<FileItem, QUuid> {
    Q_OBJECT
public:
    enum Role {
        IdRole = firstRole,         // the id as text
        PathRole,
        NameRole,
        SizeRole,                   // bytes
        FormattedSizeRole,          // file style
        ModificationDateRole,       // undefined when unknown
        IsSelectedRole,
        IsSystemRole,               // in the operating system's area
        IsDirectoryRole,
    };
    Q_ENUM(Role)

    explicit FileItemListModel(QObject* parent = nullptr);

protected:
    QUuid keyOf(const FileItem& item) const override { return item.id; }
    QVariant value(const FileItem& item, int column) const override;
};

// Whether a file named `name` passes the search text: an empty text lets
// everything through, otherwise the name must contain it, letter case aside.
bool matchesSearch(const QString& name, const QString& searchText);

// The rows of a FileItemListModel that pass a search text, in its order.
class FileItemSearchModel : public QSortFilterProxyModel {
    Q_OBJECT
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
public:
    explicit FileItemSearchModel(QObject* parent = nullptr);
    void setSearchText(const QString& text);

signals:
    void countChanged();

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    QString m_searchText;
};

} // namespace velk::cleaning
