#pragma once

#include "engine/cleaning/ScanCategory.h"

#include "common/lists/ListModel.h"

#include <array>
#include <vector>

namespace velk::cleaning {

// The junk view model's categories as a list for the screens: one row per
// category, in declaration order. Rows are announced as they change.
class ScanCategoryListModel : public lists::ListModel {
    Q_OBJECT
public:
    enum Role {
        IdRole = firstRole,  // raw value, e.g. "user_caches"
        TitleRole,                  // Chinese title
        EnglishTitleRole,
        SubtitleRole,               // the folder as this machine has it, "~" for the home
        EnglishSubtitleRole,
        IconRole,
        GroupRole,                  // raw value of the group
        RequiresConfirmationRole,
        ColorNameRole,              // "accent", "amber", "red" or "slate"
        ScanStateRole,              // "error", "idle", "scanning" or "done"
        ErrorTextRole,
        IsScanningRole,
        IsDoneRole,
        IsSelectedRole,
        TotalSizeRole,
        SelectedSizeRole,
        FormattedTotalSizeRole,
        ItemCountRole,
    };
    Q_ENUM(Role)

    // Resolves the subtitles' folders through the location map current now.
    ScanCategoryListModel(const std::vector<ScanCategory>& categories, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;

    // The row of a category raw value, or -1.
    Q_INVOKABLE int indexOf(const QString& id) const;

    void rowChanged(int row);
    void allRowsChanged();

protected:
    QVariant column(int row, int column) const override;

private:
    QString shownSubtitle(ScanCategoryID id, bool english) const;

    const std::vector<ScanCategory>& m_categories;
    // Per category, the folder of its subtitle resolved on this machine.
    std::array<QString, kScanCategoryCount> m_folders;
};

} // namespace velk::cleaning
