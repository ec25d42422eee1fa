#pragma once

#include "engine/KeyedListModel.h"
#include "engine/inspection/StartupItem.h"

#include <QSet>

namespace velk {

// Startup items for the screens, one row per item keyed by its id (the
// property list's path), with whether the user has selected it.
class StartupItemListModel final : public KeyedListModel<StartupItem> {
    Q_OBJECT
    Q_PROPERTY(int count READ rowCount NOTIFY countChanged)
public:
    enum Role {
        IdRole = Qt::UserRole + 1,
        LabelRole,
        DisplayNameRole,
        PlistPathRole,
        ProgramPathRole,    // undefined when the item names no program
        AppBundlePathRole,  // undefined outside an application bundle
        ScopeRole,          // the scope's raw value
        IsEnabledRole,
        IsLoadedRole,
        RunAtLoadRole,
        KeepAliveRole,
        StatusKnownRole,
        UrlRole,
        IsSelectedRole,
    };
    Q_ENUM(Role)

    using KeyedListModel::KeyedListModel;

    QVariant data(const QModelIndex& index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;

    // The selection the rows' IsSelectedRole reads; announces the rows whose
    // selection changed.
    void setSelection(const QSet<QString>& ids);

signals:
    void countChanged();

protected:
    QString keyOf(const StartupItem& item) const override { return item.id; }
    void onCountChanged() override { emit countChanged(); }

private:
    QSet<QString> m_selection;
};

} // namespace velk
