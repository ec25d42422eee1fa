#pragma once

#include "engine/cleaning/ScanCategoryID.h"
#include "engine/cleaning/SystemJunkViewModel.h"
#include "common/lists/ListModel.h"

#include <QPointer>
#include <QSortFilterProxyModel>
#include <QtQml/qqmlregistration.h>
#include <array>
#include <cstdint>

namespace velk::screens {

// The categories of one group, in the view model's order; a view of the
// view model's category list, so rows change in place with it.
class JunkGroupRows : public QSortFilterProxyModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The junk screen makes the rows of its groups.")
    Q_PROPERTY(int count READ count NOTIFY countChanged)
public:
    JunkGroupRows(cleaning::ScanCategoryGroup group, cleaning::ScanCategoryListModel* categories, QObject* parent);

    int count() const { return rowCount(); }
    // The source's roles, with "id" named "categoryId" (a delegate cannot
    // have a property called id).
    QHash<int, QByteArray> roleNames() const override;

signals:
    void countChanged();
};

// The junk screen's groups in display order (System, Xcode, Developer,
// Apps), each with its title pair, the sums of its categories' total and
// selected sizes and its rows. A group without categories is left out. Sums
// are announced in place as the categories change.
class JunkGroupListModel : public lists::ListModel {
    Q_OBJECT
    QML_ELEMENT
    QML_UNCREATABLE("The junk screen makes its groups.")
public:
    enum Role {
        KeyRole = firstRole,  // "system", "xcode", "languages" or "apps"
        TitleRole,            // Chinese title
        EnglishTitleRole,
        TotalSizeRole,
        SelectedSizeRole,
        RowsRole,             // the group's JunkGroupRows
        ExpandedRole,         // whether the group shows its rows
    };
    Q_ENUM(Role)

    explicit JunkGroupListModel(cleaning::SystemJunkViewModel* viewModel, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;

    // Opens the groups named (by case name) and closes the others.
    void setExpanded(const QStringList& keys);

    // The case name of a group ("system", ...).
    static QString keyOf(cleaning::ScanCategoryGroup group);

protected:
    QVariant column(int row, int column) const override;

private:
    struct Group {
        cleaning::ScanCategoryGroup group;
        JunkGroupRows* rows;
        std::int64_t totalSize = 0;
        std::int64_t selectedSize = 0;
        bool expanded = true;
    };

    void recompute(bool announce);

    QPointer<cleaning::SystemJunkViewModel> m_viewModel;
    std::vector<Group> m_groups;
};

} // namespace velk::screens
