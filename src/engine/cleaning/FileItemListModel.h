#pragma once

#include "engine/KeyedListModel.h"
#include "engine/cleaning/FileItem.h"

#include <QSortFilterProxyModel>
#include <QUuid>

namespace velk {

// Found files for the screens, one row per FileItem keyed by its id. Changes
// arrive as single-row insertions, removals and changes.
class FileItemListModel final : public KeyedListModel<FileItem, QUuid> {
    Q_OBJECT
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
public:
    enum Role {
        IdRole = Qt::UserRole + 1,  // the id as text
        PathRole,
        NameRole,
        SizeRole,                   // bytes
        FormattedSizeRole,          // file style
        ModificationDateRole,       // undefined when unknown
        IsSelectedRole,
        IsSystemRole,               // in the operating system's area
    };
    Q_ENUM(Role)

    using KeyedListModel::KeyedListModel;

    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();

protected:
    QUuid keyOf(const FileItem& item) const override { return item.id; }
    void onCountChanged() override { emit countChanged(); }
};

// Whether a file named `name` passes the search text: an empty text lets
// everything through, otherwise the name must contain it, letter case aside.
bool matchesSearch(const QString& name, const QString& searchText);

// The rows of a FileItemListModel that pass a search text, in its order.
class FileItemSearchModel final : public QSortFilterProxyModel {
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

} // namespace velk
