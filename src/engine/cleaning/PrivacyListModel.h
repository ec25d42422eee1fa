#pragma once

#include "engine/cleaning/PrivacyItem.h"

#include <QAbstractListModel>

namespace velk::cleaning {

// The privacy targets as a list for the screen: one row per target, in
// table order; the rows never come or go, they change in place.
class PrivacyListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        TitleRole,
        EnglishTitleRole,
        IconRole,
        IsSelectedRole,
        DidScanRole,
        HasErrorRole,
        ScanErrorRole,         // Chinese; empty when none
        EnglishScanErrorRole,
        HasFilesRole,          // the last scan found files
        CanSelectRole,         // scanned without error and holding files
        ItemCountRole,
        TotalSizeRole,
        FormattedSizeRole,
    };
    Q_ENUM(Role)

    explicit PrivacyListModel(const QList<PrivacyItem>& items, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    void rowChanged(int row);
    void allRowsChanged();

private:
    const QList<PrivacyItem>& m_items;
};

} // namespace velk::cleaning
