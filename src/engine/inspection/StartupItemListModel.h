#pragma once

#include "engine/inspection/StartupItem.h"
#include "common/lists/KeyedListModel.h"

#include <QSet>

namespace velk::inspection {

// Startup items for the screens, one row per item keyed by its id (the
// property list's path), with whether the user has selected it.
class StartupItemListModel : public lists::KeyedListModel<StartupItem> {
    Q_OBJECT
public:
    enum Role {
        IdRole = firstRole,
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

    explicit StartupItemListModel(QObject* parent = nullptr);

    // The selection the rows' IsSelectedRole reads; announces the rows whose
    // selection changed.
    void setSelection(const QSet<QString>& ids);

protected:
    QString keyOf(const StartupItem& item) const override { return item.id; }
    QVariant value(const StartupItem& item, int column) const override;

private:
    QSet<QString> m_selection;
};

} // namespace velk::inspection
